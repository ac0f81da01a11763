// Byte strings as hexadecimal text, for readable comparisons.
#pragma once

#include <string>
#include <string_view>

namespace texttoxml::richtext::testing {

inline std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned char byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

// The hexadecimal form of a short string: length byte and ASCII bytes.
inline std::string HexShort(std::string_view ascii) {
  return Hex(std::string(1, static_cast<char>(ascii.size())) + std::string(ascii));
}

}  // namespace texttoxml::richtext::testing
