// A part of the document as a tree of elements, read with expat.
//
// Only what the reader uses is kept: each element's namespace, local name,
// attributes and the character data directly inside it, joined (the parts
// that carry text, w:t and m:t, hold nothing else). A part that declares a
// document type is refused, so that no entity, internal or external, is
// ever expanded; depth, attributes per element and the number of elements
// are bounded.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "docx/namespaces.h"

namespace texttoxml::docx {

struct XmlAttribute {
  Ns ns = Ns::None;
  std::string name;
  std::string value;
};

struct XmlElement {
  Ns ns = Ns::None;
  std::string name;  // the local name
  std::vector<XmlAttribute> attributes;
  std::vector<XmlElement> children;
  std::string text;  // the character data directly inside, UTF-8

  bool Is(Ns n, std::string_view local) const { return ns == n && name == local; }
  // The value of an attribute; nullptr when the element has none.
  const std::string* Attribute(Ns n, std::string_view local) const;
  // The first child with that name; nullptr when there is none.
  const XmlElement* Child(Ns n, std::string_view local) const;
};

// The root element of the part. Raises DamagedDocumentError when the bytes
// are not well-formed XML and RefusedDocumentError past a bound; `partName`
// names the part in those messages.
//
// The Requires attribute of mc:Choice names namespaces by prefix, which
// only the parser knows: the tree holds it with each prefix replaced by its
// namespace URI, separated by spaces.
XmlElement ParseXml(std::string_view bytes, std::string_view partName);

}  // namespace texttoxml::docx
