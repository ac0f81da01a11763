// Conversions between UTF-16 text and UTF-8 bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace texttoxml::platform {

// Appends the UTF-8 form of one code point (at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t codePoint);

// Standard UTF-16 to UTF-8: a surrogate pair becomes one four-byte sequence.
// An unpaired surrogate cannot be written as well-formed UTF-8 and becomes
// U+FFFD, so the output is always valid UTF-8.
std::string Utf16ToUtf8(std::u16string_view text);
// The same, appended to `out`.
void AppendUtf16AsUtf8(std::string& out, std::u16string_view text);

// Strict UTF-8 decoding (no overlong forms, no surrogates, nothing above
// U+10FFFF, no truncated sequence).
struct Utf8Decoded {
  std::u16string text;
  bool valid = true;
  std::size_t errorOffset = 0;  // first byte of the first invalid sequence
};
Utf8Decoded Utf8ToUtf16(std::string_view bytes);

}  // namespace texttoxml::platform
