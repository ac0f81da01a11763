// JSON string values for the machine-readable report.
#pragma once

#include <string>
#include <string_view>

namespace texttoxml::cli {

// Appends `text` as a quoted JSON string. Bytes that are not UTF-8 (a file
// name in another encoding) are taken in the code page, so that the result
// is always valid UTF-8.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace texttoxml::cli
