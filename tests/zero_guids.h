// Question pictures get random names, 36 characters after FileName="; the
// recorded documents hold zeros there (hyphens kept). Shared by the tests
// and the conversion fuzz harness, which compare documents byte for byte.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace texttoxml::testing {

inline std::string WithZeroGuids(std::string xml) {
  constexpr std::string_view kAttribute = "FileName=\"";
  constexpr std::size_t kGuidLength = 36;
  for (std::size_t at = xml.find(kAttribute); at != std::string::npos;
       at = xml.find(kAttribute, at + 1)) {
    const std::size_t end = std::min(xml.size(), at + kAttribute.size() + kGuidLength);
    for (std::size_t i = at + kAttribute.size(); i < end; ++i) {
      if (xml[i] != '-') xml[i] = '0';
    }
  }
  return xml;
}

}  // namespace texttoxml::testing
