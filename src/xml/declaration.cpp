#include "xml/declaration.h"

#include "xml/buffer_writer.h"

namespace texttoxml::xml {

Declaration::Declaration(Document* owner) : ContainerNode(owner) {
  AttributeAdd("version", "1.0");
  AttributeAdd("encoding", "utf-8");
}

void Declaration::WriteStream(BufferWriter& out) const {
  WriteIndent(out);
  out.Write("<?xml");
  WriteDirectNodes(out, NodeCount());
  out.Write("?>");
  WriteLineBreak(out);
}

}  // namespace texttoxml::xml
