// Collects the many small pieces that the nodes write and hands them to the
// target stream in whole chunks, so that a file receives few writes.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "platform/stream.h"

namespace texttoxml::xml {

class BufferWriter {
 public:
  static constexpr std::size_t kChunkSize = 256;

  explicit BufferWriter(platform::OutputStream& target) : target_(target) {}
  BufferWriter(const BufferWriter&) = delete;
  BufferWriter& operator=(const BufferWriter&) = delete;

  // Every time the chunk fills up to kChunkSize bytes it is handed over;
  // raises WriteError when the target takes none of it.
  void Write(std::string_view bytes) {
    // An empty view may carry a null pointer, which memcpy must not be given
    // even for no bytes; nothing else below needs this check.
    if (bytes.empty()) return;
    if (bytes.size() < kChunkSize - position_) {  // the common case: it fits
      std::memcpy(chunk_.data() + position_, bytes.data(), bytes.size());
      position_ += bytes.size();
      return;
    }
    WriteAcrossChunks(bytes);
  }

  // Hands over the bytes still collected. Not done on destruction: after a
  // failed write the rest of the document is dropped, not half-written.
  void Flush();

 private:
  void WriteAcrossChunks(std::string_view bytes);

  platform::OutputStream& target_;
  std::array<char, kChunkSize> chunk_{};
  std::size_t position_ = 0;  // bytes collected in chunk_
};

}  // namespace texttoxml::xml
