// Text inside an HTML page: escaped so that nothing the author wrote can
// become markup, and pictures as data: addresses so that the page needs
// nothing from outside.
#pragma once

#include <string>
#include <string_view>

namespace texttoxml::preview {

// Appends text as HTML character data, also fit for a quoted attribute
// value. "&", "<", ">", '"' and "'" become references, a line break becomes
// LF, and any other control character is shown by its code ("[U+000B]").
void AppendHtml(std::string& out, std::u16string_view text);

// The same for UTF-8 text of the system's own.
void AppendHtml(std::string& out, std::string_view utf8);

// "data:" `mimeType` ";base64," and the bytes in base64.
std::string DataAddress(std::string_view mimeType, std::string_view bytes);

}  // namespace texttoxml::preview
