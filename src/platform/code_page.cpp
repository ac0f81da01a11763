#include "platform/code_page.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "platform/large_pages.h"
#include "platform/platform_errors.h"
#include "platform/utf.h"

namespace texttoxml::platform {

namespace {

// Bytes 0x80 to 0xFF of windows-1251; 0x98 is carried as U+0098.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // F8
};

char16_t ByteToChar(unsigned char byte) {
  return byte < 0x80 ? byte : kHighHalf[byte - 0x80];
}

// The UTF-8 form of every byte's character, at most three bytes each.
struct Utf8Table {
  std::array<std::array<char, 3>, 256> bytes{};
  std::array<unsigned char, 256> length{};

  Utf8Table() {
    for (int b = 0; b < 256; ++b) {
      std::string utf8;
      AppendUtf8(utf8, ByteToChar(static_cast<unsigned char>(b)));
      length[b] = static_cast<unsigned char>(utf8.size());
      for (std::size_t i = 0; i < utf8.size(); ++i) bytes[b][i] = utf8[i];
    }
  }
};

const Utf8Table& Utf8Forms() {
  static const Utf8Table table;
  return table;
}

// The number of ASCII bytes at the start of `bytes`, checked eight at a time.
std::size_t AsciiPrefixLength(std::string_view bytes) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::size_t length = 0;
  for (std::uint64_t word; length + 8 <= bytes.size(); length += 8) {
    std::memcpy(&word, bytes.data() + length, 8);
    if ((word & kHighBits) != 0) break;
  }
  while (length < bytes.size() && static_cast<unsigned char>(bytes[length]) < 0x80) ++length;
  return length;
}

// Converts the non-ASCII bytes at the start of `bytes`, at most a buffer
// full, hands their UTF-8 form to `out` and returns how many it took.
std::size_t WriteHighBytesAsUtf8(std::string_view bytes, OutputStream& out) {
  constexpr std::size_t kMaxBytes = 256;
  const Utf8Table& table = Utf8Forms();
  std::array<char, 3 * kMaxBytes> utf8;
  std::size_t taken = 0;
  std::size_t size = 0;
  for (; taken < std::min(bytes.size(), kMaxBytes); ++taken) {
    const auto byte = static_cast<unsigned char>(bytes[taken]);
    if (byte < 0x80) break;
    std::memcpy(utf8.data() + size, table.bytes[byte].data(), 3);
    size += table.length[byte];
  }
  WriteAll(out, utf8.data(), size);
  return taken;
}

}  // namespace

// A chunk at a time on the stack, so that the text's memory is written
// once, not zero-filled first.
std::u16string AnsiToUtf16(std::string_view bytes) {
  static const auto chars = [] {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b) table[b] = ByteToChar(static_cast<unsigned char>(b));
    return table;
  }();
  std::u16string text;
  ReserveForDecodedText(text, bytes.size());
  constexpr std::size_t kChunk = 2048;
  char16_t chunk[kChunk];
  for (std::size_t at = 0; at < bytes.size(); at += kChunk) {
    const std::size_t count = std::min(kChunk, bytes.size() - at);
    for (std::size_t i = 0; i < count; ++i)
      chunk[i] = chars[static_cast<unsigned char>(bytes[at + i])];
    text.append(chunk, count);
  }
  return text;
}

std::size_t AnsiToUtf8Size(std::string_view bytes) {
  const Utf8Table& table = Utf8Forms();
  std::size_t size = 0;
  for (unsigned char b : bytes) size += table.length[b];
  return size;
}

void AnsiToUtf8(std::string_view bytes, OutputStream& out) {
  while (!bytes.empty()) {
    const std::size_t ascii = AsciiPrefixLength(bytes);
    if (ascii > 0) WriteAll(out, bytes.data(), ascii);
    bytes.remove_prefix(ascii);
    if (!bytes.empty()) bytes.remove_prefix(WriteHighBytesAsUtf8(bytes, out));
  }
}

std::string AnsiToUtf8(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(AnsiToUtf8Size(bytes));
  StringOutputStream out(utf8);
  AnsiToUtf8(bytes, out);
  return utf8;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  static const auto reverse = [] {
    std::array<unsigned char, 0x10000> table{};  // 0 = not representable
    for (int b = 0x80; b < 256; ++b)
      table[ByteToChar(static_cast<unsigned char>(b))] = static_cast<unsigned char>(b);
    return table;
  }();
  std::string bytes(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c < 0x80) {
      bytes[i] = static_cast<char>(c);
    } else if (reverse[c] != 0) {
      bytes[i] = static_cast<char>(reverse[c]);
    } else {
      throw CodePageError(c, kAnsiCodePageName);
    }
  }
  return bytes;
}

}  // namespace texttoxml::platform
