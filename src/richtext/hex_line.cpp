#include "richtext/hex_line.h"

#include <algorithm>
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

void WriteHexDigits(std::string_view bytes, platform::OutputStream& out) {
  constexpr std::size_t kBytesPerBlock = 2048;
  char digits[2 * kBytesPerBlock];
  while (!bytes.empty()) {
    const std::size_t count = std::min(bytes.size(), kBytesPerBlock);
    for (std::size_t i = 0; i < count; ++i) {
      std::memcpy(digits + 2 * i, &kDigitPairs[2 * static_cast<unsigned char>(bytes[i])], 2);
    }
    platform::WriteAll(out, digits, 2 * count);
    bytes.remove_prefix(count);
  }
}

void AppendHexLine(std::string& out, std::string_view bytes) {
  out.reserve(out.size() + 2 * bytes.size() + 2);
  platform::StringOutputStream stream(out);
  WriteHexDigits(bytes, stream);
  out.append("\r\n");
}

}  // namespace texttoxml::richtext
