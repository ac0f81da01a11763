#include "xml/element_stream.h"

#include <algorithm>
#include <string>

#include "error.h"

namespace texttoxml::xml {

namespace {

constexpr std::string_view kValueInStreamedPath =
    "a streamed element and its ancestors hold no value";

// The child of `parent` on the way to the streamed element.
const Node* ChildOnPath(const std::vector<const Element*>& path, std::size_t level,
                        const Element& element) {
  return level + 1 < path.size() ? path[level + 1] : &element;
}

}  // namespace

ElementStream::ElementStream(Element& element, BufferWriter& out) : element_(element), out_(out) {
  for (const Node* node = element.Parent(); node != nullptr; node = node->Parent())
    ancestors_.push_back(static_cast<const Element*>(node));
  std::reverse(ancestors_.begin(), ancestors_.end());
  root_ = ancestors_.empty() ? &element : ancestors_.front();
  for (const Node* node : element.Owner().RootNodes()) {
    if (node == root_) break;
    node->WriteStream(out_);
  }
  for (std::size_t level = 0; level < ancestors_.size(); ++level) {
    const Element& ancestor = *ancestors_[level];
    if (ancestor.ValueIndex()) throw XmlError(std::string(kValueInStreamedPath));
    ancestor.WriteStartTag(out_);
    out_.Write(">");
    ancestor.WriteReadableLineBreak(out_);
    const Node* until = ChildOnPath(ancestors_, level, element);
    for (const Node* child = ancestor.FirstNode(); child != until; child = child->NextNode())
      if (child->ElementType() == XmlNodeKind::Element) child->WriteStream(out_);
  }
  if (element.ValueIndex()) throw XmlError(std::string(kValueInStreamedPath));
}

Element& ElementStream::BeginChild(std::string_view nameUtf8) {
  checkpoint_ = element_.Owner().Here();
  return element_.NodeNew(nameUtf8);
}

void ElementStream::EndChild() {
  if (!opened_) {
    element_.WriteStartTag(out_);
    out_.Write(">");
    element_.WriteReadableLineBreak(out_);
    opened_ = true;
  }
  const std::size_t last = element_.NodeCount() - 1;
  element_.NodeAt(last).WriteStream(out_);
  element_.NodeDelete(last);
  element_.Owner().ReleaseSince(checkpoint_);
}

void ElementStream::Finish() {
  if (opened_)
    element_.WriteEndTag(out_, true);
  else
    element_.WriteStream(out_);
  for (std::size_t level = ancestors_.size(); level-- > 0;) {
    const Element& ancestor = *ancestors_[level];
    const Node* after = ChildOnPath(ancestors_, level, element_)->NextNode();
    for (const Node* child = after; child != nullptr; child = child->NextNode())
      if (child->ElementType() == XmlNodeKind::Element) child->WriteStream(out_);
    ancestor.WriteEndTag(out_, true);
  }
  bool afterRoot = false;
  for (const Node* node : element_.Owner().RootNodes()) {
    if (afterRoot) node->WriteStream(out_);
    afterRoot = afterRoot || node == root_;
  }
}

}  // namespace texttoxml::xml
