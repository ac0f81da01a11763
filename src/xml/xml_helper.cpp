#include "xml/xml_helper.h"

#include <string>

#include "platform/utf.h"
#include "xml/document.h"

namespace texttoxml::xml {

namespace {

// The text in the document's conversion buffer, so that building a large
// tree converts its millions of names and values without an allocation each.
std::string_view Utf8Of(Node& node, std::u16string_view text) {
  std::string& utf8 = node.Owner().ConversionBuffer();
  utf8.clear();
  platform::AppendUtf16AsUtf8(utf8, text);
  return utf8;
}

}  // namespace

Element& AddChildElement(Element& parent, std::u16string_view name) {
  return parent.NodeNew(Utf8Of(parent, name));
}

void AddAttribute(Node& node, std::u16string_view name, std::u16string_view value) {
  const std::string nameUtf8 = platform::Utf16ToUtf8(name);  // short: no allocation
  node.AttributeAdd(nameUtf8, Utf8Of(node, value));
}

void AddBoolAttribute(Node& node, std::u16string_view name, bool flag) {
  node.AttributeAdd(Utf8Of(node, name), flag ? "True" : "False");
}

}  // namespace texttoxml::xml
