// Byte blocks as hexadecimal text lines.
#pragma once

#include <string>
#include <string_view>

namespace texttoxml::richtext {

// Appends two upper-case hexadecimal digits per byte, then CR LF.
void AppendHexLine(std::string& out, std::string_view bytes);

}  // namespace texttoxml::richtext
