// Conversions between UTF-16 text and UTF-8 bytes.
#pragma once

#include <algorithm>
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

// "U+000B": the code of a character, as messages name one.
std::string CodePointText(char32_t c);
// The same, appended to `out`.
void AppendUtf16AsUtf8(std::string& out, std::u16string_view text);

// The end of the piece of `text` from `from` on that holds at most `most`
// units (and at least one unless none is left), chosen so that it splits
// neither a surrogate pair nor a CR LF: a long text converted piece by
// piece reads as it would whole.
std::size_t PieceEnd(std::u16string_view text, std::size_t from, std::size_t most);

// The bytes an ASCII unit may become in AppendUtf16AsUtf8With.
inline constexpr std::size_t kMaxAsciiForm = 6;

namespace utf_detail {
inline bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
inline bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}
// Writes the UTF-8 form of `c` at `out` and returns the position after it.
char* PutUtf8(char* out, char32_t c);
}  // namespace utf_detail

// AppendUtf16AsUtf8 with each ASCII unit written by `ascii(text, i, at)`:
// it writes the form of text[i] at `at` (at most kMaxAsciiForm bytes),
// returns the end, and may step `i` over units it takes along (the LF of
// a CR LF), so that one pass both converts a text and rewrites it.
//
// A chunk at a time on the stack: the string grows by what is written,
// instead of being zero-filled first for the longest possible form.
template <class AsciiForm>
void AppendUtf16AsUtf8With(std::string& out, std::u16string_view text, AsciiForm&& ascii) {
  using namespace utf_detail;
  constexpr std::size_t kChunk = 256;
  char chunk[kMaxAsciiForm * kChunk];  // three bytes a unit beyond ASCII at most
  out.reserve(out.size() + text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t stop = std::min(text.size(), i + kChunk);
    char* end = chunk;
    for (; i < stop; ++i) {
      char32_t c = text[i];
      if (c < 0x80) {
        end = ascii(text, i, end);
        continue;
      }
      if (c < 0x800) {  // Cyrillic and the rest of the common two-byte letters
        *end++ = static_cast<char>(0xC0 | (c >> 6));
        *end++ = static_cast<char>(0x80 | (c & 0x3F));
        continue;
      }
      if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        ++i;
      } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
        c = 0xFFFD;
      }
      end = PutUtf8(end, c);
    }
    out.append(chunk, static_cast<std::size_t>(end - chunk));
  }
}

// Strict UTF-8 decoding (no overlong forms, no surrogates, nothing above
// U+10FFFF, no truncated sequence).
struct Utf8Decoded {
  std::u16string text;
  bool valid = true;
  std::size_t errorOffset = 0;  // first byte of the first invalid sequence
};
Utf8Decoded Utf8ToUtf16(std::string_view bytes);

// How much of a text is well-formed UTF-8, beyond its ASCII: the
// multi-byte sequences that decode, and the bytes that start none.
struct Utf8Census {
  std::size_t multiByte = 0;     // well-formed sequences of two to four bytes
  std::size_t invalid = 0;       // bytes skipped one by one
  std::size_t firstInvalid = 0;  // offset of the first of them, when there is one
};
Utf8Census CountUtf8Sequences(std::string_view bytes);

}  // namespace texttoxml::platform
