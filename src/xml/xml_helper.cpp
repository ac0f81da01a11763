#include "xml/xml_helper.h"

#include "platform/utf.h"

namespace texttoxml::xml {

using platform::Utf16ToUtf8;

Element& AddChildElement(Element& parent, std::u16string_view name) {
  return parent.NodeNew(Utf16ToUtf8(name));
}

void AddAttribute(Node& node, std::u16string_view name, std::u16string_view value) {
  node.AttributeAdd(Utf16ToUtf8(name), Utf16ToUtf8(value));
}

void AddBoolAttribute(Node& node, std::u16string_view name, bool flag) {
  node.AttributeAdd(Utf16ToUtf8(name), flag ? "True" : "False");
}

}  // namespace texttoxml::xml
