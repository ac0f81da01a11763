// Base64 of RFC 4648: standard alphabet, "=" padding, no line breaks.
#pragma once

#include <string>
#include <string_view>

namespace texttoxml::xml {

std::string EncodeBase64(std::string_view bytes);

}  // namespace texttoxml::xml
