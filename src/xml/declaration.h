// The XML declaration (XmlDeclaration): the line <?xml ...?> with its
// attributes. It has the fixed name "xml" and no value.
#pragma once

#include "xml/container_node.h"

namespace texttoxml::xml {

class Declaration : public ContainerNode {
 public:
  // Holds version="1.0" and encoding="utf-8".
  explicit Declaration(Document* owner);

  XmlNodeKind ElementType() const override { return XmlNodeKind::Declaration; }
  std::string_view Name() const override { return "xml"; }

  // Always ends with a line break, whatever the layout.
  void WriteStream(BufferWriter& out) const override;
};

}  // namespace texttoxml::xml
