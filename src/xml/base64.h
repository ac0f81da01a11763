// Base64 of RFC 4648: standard alphabet, "=" padding, no line breaks.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/stream.h"

namespace texttoxml::xml {

std::string EncodeBase64(std::string_view bytes);

// The length of the base64 text of `byteCount` bytes.
std::size_t Base64Size(std::size_t byteCount);

// Base64 of bytes that arrive in pieces of any size, handed to `out` as
// they come, so that neither the bytes nor their text ever need to be
// gathered in one place. Finish writes the last group with its padding;
// bytes written after it start a new text.
class Base64Encoder : public platform::OutputStream {
 public:
  explicit Base64Encoder(platform::OutputStream& out) : out_(out) {}

  std::size_t Write(const char* data, std::size_t size) override;
  void Finish();

  // True when no bytes of an unfinished group are waiting, so that text
  // handed to `out` now follows whole groups.
  bool AtGroupBoundary() const { return pendingCount_ == 0; }

 private:
  void EncodeGroups(const unsigned char* bytes, std::size_t groupCount);

  platform::OutputStream& out_;
  std::array<unsigned char, 3> pending_{};  // the start of an unfinished group
  std::size_t pendingCount_ = 0;
};

}  // namespace texttoxml::xml
