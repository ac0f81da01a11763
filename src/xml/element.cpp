#include "xml/element.h"

#include "xml/buffer_writer.h"
#include "xml/document.h"

namespace texttoxml::xml {

namespace {

constexpr std::string_view kDirectCloseTag = "/>";

}  // namespace

Element& Element::NodeNew(std::string_view nameUtf8) {
  auto& element = Owner().NewNode<Element>();
  element.SetName(nameUtf8);
  NodeAdd(element);
  return element;
}

void Element::WriteStream(BufferWriter& out) const {
  bool hasSubContainers = HasSubContainers();
  WriteStartTag(out);
  if (NodeCount() == DirectNodeCount()) {
    out.Write(kDirectCloseTag);
    WriteReadableLineBreak(out);
    return;
  }
  out.Write(">");
  const Node* first = FirstContentNode();
  for (const Node* node = first; node != nullptr; node = node->NextNode()) {
    bool isText = node->ElementType() == XmlNodeKind::CharData;
    bool isFirst = node == first;
    if (isFirst && !isText) WriteReadableLineBreak(out);
    if (isText && !isFirst && hasSubContainers) node->WriteIndent(out);
    if (isText || node->ElementType() == XmlNodeKind::Element) node->WriteStream(out);
    if (isText && hasSubContainers) WriteReadableLineBreak(out);
  }
  WriteEndTag(out, hasSubContainers);
}

void Element::WriteStartTag(BufferWriter& out) const {
  WriteIndent(out);
  out.Write("<");
  out.Write(Name());
  WriteDirectNodes(out, DirectNodeCount());
}

void Element::WriteEndTag(BufferWriter& out, bool hasSubContainers) const {
  if (hasSubContainers) WriteIndent(out);
  out.Write("</");
  out.Write(Name());
  out.Write(">");
  WriteReadableLineBreak(out);
}

}  // namespace texttoxml::xml
