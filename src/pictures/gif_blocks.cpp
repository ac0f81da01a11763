#include "pictures/gif_blocks.h"

#include <algorithm>
#include <cstring>

#include "pictures/picture_errors.h"

namespace texttoxml::pictures {

int GifReader::Peek() const {
  return AtEnd() ? -1 : static_cast<std::uint8_t>(bytes_[position_]);
}

int GifReader::Next() {
  int byte = Peek();
  if (byte >= 0) ++position_;
  return byte;
}

std::string_view GifReader::Take(std::size_t count) {
  std::string_view taken = bytes_.substr(std::min(position_, bytes_.size()), count);
  position_ += taken.size();
  return taken;
}

void GifReader::ReadExact(std::uint8_t* out, std::size_t count) {
  std::string_view taken = Take(count);
  if (taken.size() < count) throw GifPrematureEndError();
  std::memcpy(out, taken.data(), count);
}

std::vector<std::string_view> GifReader::ReadSubBlocks() {
  std::vector<std::string_view> blocks;
  for (;;) {
    int size = Next();
    if (size == 0) return blocks;
    std::string_view block = Take(static_cast<std::size_t>(std::max(size, 0)));
    if (!block.empty()) blocks.push_back(block);
    if (size > 0 && block.size() == static_cast<std::size_t>(size)) continue;
    Warn(kGifPrematureEnd);
    return blocks;
  }
}

void AppendGifSubBlocks(std::string_view data, std::string& out) {
  constexpr std::size_t kMaxSubBlock = 255;
  while (!data.empty()) {
    std::size_t size = std::min(data.size(), kMaxSubBlock);
    out.push_back(static_cast<char>(size));
    out.append(data.substr(0, size));
    data.remove_prefix(size);
  }
  out.push_back('\0');
}

void GifReader::Warn(std::string_view message) const {
  if (warnings_ != nullptr && *warnings_) (*warnings_)(message);
}

}  // namespace texttoxml::pictures
