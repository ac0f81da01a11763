// Writing a document while one of its elements is still receiving children,
// each child written as soon as it is complete and then released, so that a
// document of any number of children is never held whole. The bytes are
// those that Document::SaveToStream writes for the finished tree.
#pragma once

#include <string_view>
#include <vector>

#include "xml/buffer_writer.h"
#include "xml/document.h"
#include "xml/element.h"

namespace texttoxml::xml {

class ElementStream {
 public:
  // Writes what comes before the children of `element`: the top-level
  // nodes before the root, and from the root down the start tags and the
  // children that come earlier. Neither `element` nor its ancestors may have
  // a value (XmlError otherwise), and `element` has no children yet.
  ElementStream(Element& element, BufferWriter& out);
  ElementStream(const ElementStream&) = delete;
  ElementStream& operator=(const ElementStream&) = delete;

  // A new last child of the element, to be filled before EndChild.
  Element& BeginChild(std::string_view nameUtf8);
  // Writes that child, takes it out of the element and releases every node
  // and text made since BeginChild.
  void EndChild();

  // Writes the rest: the element's end tag (or the element as an empty one
  // when no child came), the ancestors' later children and end tags, the
  // top-level nodes after the root. The caller flushes `out`.
  void Finish();

 private:
  Element& element_;
  BufferWriter& out_;
  std::vector<const Element*> ancestors_;  // from the root down to the element's parent
  const Node* root_ = nullptr;             // the top-level node the element is in
  Document::Checkpoint checkpoint_;        // taken at BeginChild
  bool opened_ = false;                    // the element's start tag is written
};

}  // namespace texttoxml::xml
