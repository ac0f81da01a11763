#include "platform/utf.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "platform/large_pages.h"

namespace texttoxml::platform {

namespace {

// Length of the sequence starting at bytes[i] and its code point, or 0 when
// the bytes there are not a well-formed sequence.
std::size_t DecodeSequence(std::string_view bytes, std::size_t i, char32_t& codePoint) {
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

}  // namespace

char* utf_detail::PutUtf8(char* out, char32_t c) {
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

void AppendUtf8(std::string& out, char32_t c) {
  char bytes[4];
  out.append(bytes, static_cast<std::size_t>(utf_detail::PutUtf8(bytes, c) - bytes));
}

std::size_t PieceEnd(std::u16string_view text, std::size_t from, std::size_t most) {
  const std::size_t end = from + std::min(most, text.size() - from);
  if (end == text.size() || end - from < 2) return end;
  const char16_t last = text[end - 1];
  return utf_detail::IsHighSurrogate(last) || (last == u'\r' && text[end] == u'\n') ? end - 1 : end;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  AppendUtf16AsUtf8(out, text);
  return out;
}

void AppendUtf16AsUtf8(std::string& out, std::u16string_view text) {
  AppendUtf16AsUtf8With(out, text, [](std::u16string_view units, std::size_t i, char* at) {
    *at = static_cast<char>(units[i]);
    return at + 1;
  });
}

// Decodes into a small buffer appended to the text in blocks: a character
// at a time, the text's own growth checks cost more than the decoding.
Utf8Decoded Utf8ToUtf16(std::string_view bytes) {
  Utf8Decoded result;
  ReserveForDecodedText(result.text, bytes.size());
  char16_t block[4096];
  std::size_t filled = 0;
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (filled > std::size(block) - 2) {
      result.text.append(block, filled);
      filled = 0;
    }
    char32_t c;
    const std::size_t length = DecodeSequence(bytes, i, c);
    if (length == 0) {
      result.text.clear();
      result.valid = false;
      result.errorOffset = i;
      return result;
    }
    if (c < 0x10000) {
      block[filled++] = static_cast<char16_t>(c);
    } else {
      block[filled++] = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      block[filled++] = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
    i += length;
  }
  result.text.append(block, filled);
  return result;
}

Utf8Census CountUtf8Sequences(std::string_view bytes) {
  Utf8Census census;
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t c;
    const std::size_t length = DecodeSequence(bytes, i, c);
    if (length == 0) {
      if (census.invalid++ == 0) census.firstInvalid = i;
      ++i;
      continue;
    }
    if (length > 1) ++census.multiByte;
    i += length;
  }
  return census;
}

std::string CodePointText(char32_t c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
  return buffer;
}

}  // namespace texttoxml::platform
