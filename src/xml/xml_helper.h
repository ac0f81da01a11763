// Building the tree from UTF-16 text (XmlHelper): names and values are
// converted to UTF-8 as they are, line breaks included.
#pragma once

#include <string_view>

#include "xml/element.h"

namespace texttoxml::xml {

// A new last child element of `parent`.
Element& AddChildElement(Element& parent, std::u16string_view name);

void AddAttribute(Node& node, std::u16string_view name, std::u16string_view value);

// The value "True" or "False".
void AddBoolAttribute(Node& node, std::u16string_view name, bool flag);

}  // namespace texttoxml::xml
