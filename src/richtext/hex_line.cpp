#include "richtext/hex_line.h"

#include <array>
#include <cstring>

namespace texttoxml::richtext {

namespace {

// The two digits of every byte value, side by side.
constexpr std::array<char, 512> MakeDigitPairs() {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::array<char, 512> pairs{};
  for (int byte = 0; byte < 256; ++byte) {
    pairs[2 * byte] = kDigits[byte >> 4];
    pairs[2 * byte + 1] = kDigits[byte & 0xF];
  }
  return pairs;
}

constexpr std::array<char, 512> kDigitPairs = MakeDigitPairs();

}  // namespace

void AppendHexLine(std::string& out, std::string_view bytes) {
  const std::size_t start = out.size();
  out.resize(start + 2 * bytes.size() + 2);
  char* digits = out.data() + start;
  for (unsigned char byte : bytes) {
    std::memcpy(digits, &kDigitPairs[2 * byte], 2);
    digits += 2;
  }
  digits[0] = '\r';
  digits[1] = '\n';
}

}  // namespace texttoxml::richtext
