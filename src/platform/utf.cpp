#include "platform/utf.h"

#include "platform/large_pages.h"

namespace texttoxml::platform {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Length of the sequence starting at bytes[i] and its code point, or 0 when
// the bytes there are not a well-formed sequence.
std::size_t DecodeSequence(std::string_view bytes, std::size_t i,
                           char32_t& codePoint) {
  auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  unsigned char lead = at(i);
  std::size_t length;
  char32_t minimum;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (bytes.size() - i < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    unsigned char b = at(i + k);
    if ((b & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (b & 0x3F);
  }
  bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < minimum || codePoint > 0x10FFFF || surrogate) return 0;
  return length;
}

// Writes the UTF-8 form of `c` at `out` and returns the position after it.
char* PutUtf8(char* out, char32_t c) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (c >> 18));
    *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
  char bytes[4];
  out.append(bytes, static_cast<std::size_t>(PutUtf8(bytes, c) - bytes));
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  AppendUtf16AsUtf8(out, text);
  return out;
}

void AppendUtf16AsUtf8(std::string& out, std::u16string_view text) {
  // Every code unit takes at most three bytes (a surrogate pair, two units,
  // takes four), so one allocation is enough.
  const std::size_t start = out.size();
  out.resize(start + text.size() * 3);
  char* end = out.data() + start;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c < 0x80) {
      *end++ = static_cast<char>(c);
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
  out.resize(static_cast<std::size_t>(end - out.data()));
}

Utf8Decoded Utf8ToUtf16(std::string_view bytes) {
  Utf8Decoded result;
  ReserveOnLargePages(result.text, bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    char32_t c;
    std::size_t length = DecodeSequence(bytes, i, c);
    if (length == 0) {
      result.text.clear();
      result.valid = false;
      result.errorOffset = i;
      return result;
    }
    if (c < 0x10000) {
      result.text += static_cast<char16_t>(c);
    } else {
      result.text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      result.text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
    i += length;
  }
  return result;
}

}  // namespace texttoxml::platform
