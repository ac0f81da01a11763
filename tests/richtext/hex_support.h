// The hexadecimal form of the short strings that RichDoc property streams
// hold, for readable comparisons.
#pragma once

#include <string>
#include <string_view>

#include "test_support.h"

namespace texttoxml::testing {

// A short string as a property stream writes it: its length byte, then its
// ASCII bytes.
inline std::string HexShort(std::string_view ascii) {
  return Hex(std::string(1, static_cast<char>(ascii.size())) + std::string(ascii));
}

}  // namespace texttoxml::testing
