// Byte blocks as hexadecimal text lines.
#pragma once

#include <string>
#include <string_view>

#include "platform/stream.h"

namespace texttoxml::richtext {

// Hands two upper-case hexadecimal digits per byte to `out`, a small buffer
// at a time.
void WriteHexDigits(std::string_view bytes, platform::OutputStream& out);

// Appends two upper-case hexadecimal digits per byte, then CR LF.
void AppendHexLine(std::string& out, std::string_view bytes);

}  // namespace texttoxml::richtext
