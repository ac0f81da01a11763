#include "xml/buffer_writer.h"

#include <algorithm>
#include <cstring>

namespace texttoxml::xml {

void BufferWriter::WriteAcrossChunks(std::string_view bytes) {
  while (!bytes.empty()) {
    std::size_t count = std::min(bytes.size(), kChunkSize - position_);
    std::memcpy(chunk_.data() + position_, bytes.data(), count);
    position_ += count;
    bytes.remove_prefix(count);
    if (position_ == kChunkSize) Flush();
  }
}

void BufferWriter::Flush() {
  platform::WriteAll(target_, chunk_.data(), position_);
  position_ = 0;
}

}  // namespace texttoxml::xml
