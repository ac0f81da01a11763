#include "cli/json_text.h"

#include <cstdio>

#include "conversion/message_text.h"
#include "platform/utf.h"

namespace texttoxml::cli {

void AppendJsonString(std::string& out, std::string_view text) {
  const std::string utf8 = platform::Utf16ToUtf8(conversion::TextOfBytes(text));
  out += '"';
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  out += '"';
}

}  // namespace texttoxml::cli
