// The embedded-data passage of the import format: bytes taken as text in
// the ANSI code page, encoded as UTF-8, then base64. Readers get the bytes
// back by undoing the three steps.
#pragma once

#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "xml/base64.h"

namespace texttoxml::conversion {

inline std::string EmbeddedData(std::string_view bytes) {
  return xml::EncodeBase64(platform::AnsiToUtf8(bytes));
}

}  // namespace texttoxml::conversion
