#include "pictures/icon.h"

#include "pictures/little_endian.h"
#include "pictures/picture_errors.h"
#include "platform/platform_errors.h"

namespace texttoxml::pictures {

namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kDirectoryEntrySize = 16;

// A size byte of 0 in a directory entry stands for 256 pixels.
int EntrySize(std::string_view bytes, std::size_t at) {
  const auto value = static_cast<std::uint8_t>(bytes[at]);
  return value == 0 ? 256 : value;
}

}  // namespace

int Icon::Width() const {
  return image_ ? image_->width : 0;
}
int Icon::Height() const {
  return image_ ? image_->height : 0;
}

void Icon::LoadFromBytes(std::string_view bytes) {
  if (bytes.size() < kDirectoryHeaderSize) throw ReadError();
  if (ReadU16Le(bytes, 2) > 1) throw InvalidIconError();
  IconImage image{std::string(bytes), 0, 0};
  const bool hasEntry = ReadU16Le(bytes, 4) > 0 &&
                        bytes.size() >= kDirectoryHeaderSize + kDirectoryEntrySize;
  if (hasEntry) {
    image.width = EntrySize(bytes, kDirectoryHeaderSize);
    image.height = EntrySize(bytes, kDirectoryHeaderSize + 1);
  }
  image_ = std::make_shared<const IconImage>(std::move(image));
}

void Icon::SaveToStream(std::string& out) const {
  if (image_) out += image_->bytes;
}

}  // namespace texttoxml::pictures
