#include "xml/attribute.h"

#include "xml/buffer_writer.h"
#include "xml/value_text.h"

namespace texttoxml::xml {

Attribute::Attribute(Document* owner) : Node(owner), coreValue_(owner) {
  coreValue_.parent_ = this;
}

void Attribute::SetValue(std::string_view utf8) {
  std::string scratch;
  coreValue_.SetCoreValue(AttributeText(utf8, scratch));
}

void Attribute::WriteStream(BufferWriter& out) const {
  out.Write(Name());
  out.Write("=");
  coreValue_.WriteStream(out);
}

}  // namespace texttoxml::xml
