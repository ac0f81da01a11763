#include "xml/base64.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace texttoxml::xml {

namespace {

constexpr char kAlphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The two characters of every 12-bit value: half a group of three bytes per
// lookup, which keeps the loop for megabytes of picture data short.
constexpr std::array<char, 2 * 4096> MakePairTable() {
  std::array<char, 2 * 4096> table{};
  for (std::size_t value = 0; value < 4096; ++value) {
    table[2 * value] = kAlphabet[value >> 6];
    table[2 * value + 1] = kAlphabet[value & 0x3F];
  }
  return table;
}

constexpr std::array<char, 2 * 4096> kPairs = MakePairTable();

void PutPair(char* out, std::uint32_t twelveBits) {
  std::memcpy(out, &kPairs[2 * twelveBits], 2);
}

}  // namespace

std::string EncodeBase64(std::string_view bytes) {
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t size = bytes.size();
  std::string text((size + 2) / 3 * 4, '=');
  char* out = text.data();
  std::size_t whole = size - size % 3;
  for (std::size_t i = 0; i < whole; i += 3, out += 4) {
    std::uint32_t group = std::uint32_t{in[i]} << 16 | std::uint32_t{in[i + 1]} << 8 | in[i + 2];
    PutPair(out, group >> 12);
    PutPair(out + 2, group & 0xFFF);
  }
  // A last group of one or two bytes: two or three characters, the rest of
  // the four stays "=".
  if (std::size_t rest = size - whole) {
    std::uint32_t group = std::uint32_t{in[whole]} << 16;
    if (rest == 2) group |= std::uint32_t{in[whole + 1]} << 8;
    PutPair(out, group >> 12);
    if (rest == 2) out[2] = kAlphabet[(group >> 6) & 0x3F];
  }
  return text;
}

}  // namespace texttoxml::xml
