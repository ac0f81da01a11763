#include "xml/container_node.h"

#include <algorithm>

#include "xml/attribute.h"
#include "xml/buffer_writer.h"
#include "xml/char_data.h"
#include "xml/document.h"
#include "xml/sourced_text.h"
#include "xml/value_text.h"
#include "xml/xml_errors.h"

namespace texttoxml::xml {

namespace {

[[noreturn]] void Refuse(std::string_view message) {
  throw XmlError(std::string(message));
}

bool IsContainer(const Node& node) {
  return node.ElementType() == XmlNodeKind::Element ||
         node.ElementType() == XmlNodeKind::Declaration;
}

}  // namespace

Node& ContainerNode::NodeAt(std::size_t index) const {
  if (index >= count_) Refuse(kNodeIndexOutOfBounds);
  return *(index == 0 ? first_ : NodeBefore(index)->next_);
}

Node& ContainerNode::NodeAdd(Node& node) {
  return NodeInsert(count_, node);
}

Node& ContainerNode::NodeInsert(std::size_t index, Node& node) {
  CheckNewNode(node);
  if (index > count_) Refuse(kNodeIndexOutOfBounds);
  bool isAttribute = node.ElementType() == XmlNodeKind::Attribute;
  index = isAttribute ? std::min<std::size_t>(index, directNodeCount_)
                      : std::max<std::size_t>(index, directNodeCount_);
  if (isAttribute) ++directNodeCount_;
  if (valueIndex_ != kNoValue && index <= valueIndex_) ++valueIndex_;

  Node* before = NodeBefore(index);
  Node*& link = before == nullptr ? first_ : before->next_;
  node.next_ = link;
  link = &node;
  if (node.next_ == nullptr) last_ = &node;
  node.parent_ = this;
  ++count_;
  return node;
}

void ContainerNode::NodeDelete(std::size_t index) {
  if (index >= count_) Refuse(kNodeIndexOutOfBounds);
  if (index < directNodeCount_) --directNodeCount_;
  if (valueIndex_ == index)
    valueIndex_ = kNoValue;
  else if (valueIndex_ != kNoValue && index < valueIndex_)
    --valueIndex_;

  Node* before = NodeBefore(index);
  Node*& link = before == nullptr ? first_ : before->next_;
  Node* node = link;
  link = node->next_;
  if (last_ == node) last_ = before;
  node->parent_ = nullptr;
  node->next_ = nullptr;
  --count_;
}

void ContainerNode::AttributeAdd(Attribute& attribute) {
  if (&attribute.Owner() != &Owner()) {
    Diagnose(WarnStyle::Fail, kOwnerNotAssigned);
    return;
  }
  NodeInsert(directNodeCount_, attribute);
}

void ContainerNode::WriteDirectNodes(BufferWriter& out, std::size_t count) const {
  const Node* previous = nullptr;
  for (const Node* node = first_; node != nullptr && count > 0; node = node->next_, --count) {
    switch (node->ElementType()) {
      case XmlNodeKind::Attribute:
        if (previous == nullptr || previous->ElementType() != XmlNodeKind::CharData) out.Write(" ");
        node->WriteStream(out);
        break;
      case XmlNodeKind::CharData:
        node->WriteStream(out);
        break;
      default:
        break;
    }
    previous = node;
  }
}

Node* ContainerNode::FirstContentNode() const {
  Node* last = NodeBefore(directNodeCount_);
  return last == nullptr ? first_ : last->next_;
}

bool ContainerNode::HasSubContainers() const {
  for (const Node* node = FirstContentNode(); node != nullptr; node = node->next_)
    if (IsContainer(*node)) return true;
  return false;
}

void ContainerNode::StoreValue(std::string_view utf8) {
  std::string scratch;
  StoreCoreValue(ElementText(utf8, scratch));
}

void ContainerNode::StoreCoreValue(std::string_view stored) {
  if (stored.empty()) {
    if (valueIndex_ != kNoValue) NodeDelete(valueIndex_);
    return;
  }
  ValueNodeToSet().SetCoreValue(stored);
}

CharData& ContainerNode::ValueNodeToSet() {
  if (valueIndex_ != kNoValue) return ValueNode();
  auto& value = Owner().NewNode<CharData>();
  InsertValueNode(value);
  return value;
}

void ContainerNode::StoreSourcedValue(std::unique_ptr<ValueSource> source) {
  if (valueIndex_ != kNoValue) NodeDelete(valueIndex_);
  const ValueSource& kept = Owner().KeepSource(std::move(source));
  InsertValueNode(Owner().NewNode<SourcedText>(kept));
}

void ContainerNode::InsertValueNode(CharData& value) {
  NodeInsert(directNodeCount_, value);
  valueIndex_ = directNodeCount_;
}

// Appending is the common case and costs no walk along the list.
Node* ContainerNode::NodeBefore(std::size_t index) const {
  if (index == 0) return nullptr;
  if (index == count_) return last_;
  Node* node = first_;
  while (--index > 0) node = node->next_;
  return node;
}

// A node stands in one place of one tree: one already there, or one that
// would become its own ancestor, would tie the list into a loop.
void ContainerNode::CheckNewNode(const Node& node) const {
  if (&node.Owner() != &Owner()) Refuse(kOwnerNotAssigned);
  if (node.parent_ != nullptr) Refuse(kNodeInTree);
  if (!IsContainer(node)) return;  // only containers stand at the top or above others
  if (Owner().IsTopLevel(node)) Refuse(kNodeInTree);
  // A node without children is nobody's ancestor: the walk up is only for
  // a subtree built apart (a new node, the common case, has no children).
  if (node.NodeCount() == 0) {
    if (&node == this) Refuse(kNodeInTree);
    return;
  }
  for (const Node* ancestor = this; ancestor != nullptr; ancestor = ancestor->parent_)
    if (ancestor == &node) Refuse(kNodeInTree);
}

CharData& ContainerNode::ValueNode() const {
  return static_cast<CharData&>(NodeAt(valueIndex_));
}

}  // namespace texttoxml::xml
