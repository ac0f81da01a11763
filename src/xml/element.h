// An element (XmlElement): a name, attributes, an optional value and child
// elements.
#pragma once

#include <string>
#include <utility>

#include "xml/container_node.h"

namespace texttoxml::xml {

class Element : public ContainerNode {
 public:
  using ContainerNode::ContainerNode;

  XmlNodeKind ElementType() const override { return XmlNodeKind::Element; }

  std::string_view Name() const override { return Lookup(nameId_); }
  void SetName(std::string_view utf8) override { nameId_ = Intern(utf8); }
  // Sets the value; the empty text removes it. Attributes are not touched.
  void SetValue(std::string_view utf8) override { StoreValue(utf8); }
  void SetStoredValue(std::string_view stored) override { StoreCoreValue(stored); }
  // The same for a value written from `source` only when the element is
  // written (the base64 of a picture), never held whole.
  void SetValueSource(std::unique_ptr<ValueSource> source) { StoreSourcedValue(std::move(source)); }

  // Appends a new child element of that name, also when one of the same
  // name exists already.
  Element& NodeNew(std::string_view nameUtf8);

  // The readable layout: a value on the line of its start tag, children
  // on lines of their own one TAB deeper, "/>" for an element without
  // content.
  void WriteStream(BufferWriter& out) const override;

  // The pieces of WriteStream, for writing an element whose children are
  // not all there yet: indentation, "<", the name and the attributes; and
  // the end tag with its line break, at the element's own indentation when
  // it has child elements.
  void WriteStartTag(BufferWriter& out) const;
  void WriteEndTag(BufferWriter& out, bool hasSubContainers) const;

 private:
  std::size_t nameId_ = 0;
};

}  // namespace texttoxml::xml
