// The lines of a picture record that carry the picture properties that
// differ from a new picture item's.
#pragma once

#include <string>
#include <vector>

#include "richtext/item_info.h"

namespace texttoxml::richtext {

// "Key=value" lines, numbers in decimal, texts in the ANSI code page.
// Raises CodePageError for a text the code page cannot hold and Error for
// a text with a line break, which would split the record.
std::vector<std::string> PicturePropertyLines(const GraphicItemInfo& item);

}  // namespace texttoxml::richtext
