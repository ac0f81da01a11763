#include "xml/element.h"

#include "xml/buffer_writer.h"

namespace texttoxml::xml {

namespace {

constexpr std::string_view kDirectCloseTag = "/>";

}  // namespace

Element& Element::NodeNew(std::string_view nameUtf8) {
  auto element = std::make_unique<Element>(&Owner());
  element->SetName(nameUtf8);
  return static_cast<Element&>(NodeAdd(std::move(element)));
}

void Element::WriteStream(BufferWriter& out) const {
  bool hasSubContainers = HasSubContainers();
  WriteIndent(out);
  out.Write("<");
  out.Write(Name());
  WriteDirectNodes(out, DirectNodeCount());
  if (NodeCount() == DirectNodeCount()) {
    out.Write(kDirectCloseTag);
    WriteReadableLineBreak(out);
    return;
  }
  out.Write(">");
  for (std::size_t i = DirectNodeCount(); i < NodeCount(); ++i) {
    const Node& node = *Nodes()[i];
    bool isText = node.ElementType() == XmlNodeKind::CharData;
    bool isFirst = i == DirectNodeCount();
    if (isFirst && !isText) WriteReadableLineBreak(out);
    if (isText && !isFirst && hasSubContainers) node.WriteIndent(out);
    if (isText || node.ElementType() == XmlNodeKind::Element) node.WriteStream(out);
    if (isText && hasSubContainers) WriteReadableLineBreak(out);
  }
  if (hasSubContainers) WriteIndent(out);
  out.Write("</");
  out.Write(Name());
  out.Write(">");
  WriteReadableLineBreak(out);
}

}  // namespace texttoxml::xml
