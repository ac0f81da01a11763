// The property streams of the style sheet's collections, as the style
// table records of a RichDoc text carry them.
#pragma once

#include <string>

#include "richtext/style_sheet.h"

namespace texttoxml::richtext {

// Each appends the collection value of one collection of `sheet` to `out`.
// Style template references are written only while
// `sheet.ignoreStyleTemplates` is off.
void WriteTextStyles(const RichStyleSheet& sheet, std::string& out);
void WriteParaStyles(const RichStyleSheet& sheet, std::string& out);
void WriteListStyles(const RichStyleSheet& sheet, std::string& out);

}  // namespace texttoxml::richtext
