#include "xml/container_node.h"

#include <algorithm>

#include "error.h"
#include "xml/attribute.h"
#include "xml/buffer_writer.h"
#include "xml/char_data.h"

namespace texttoxml::xml {

Node& ContainerNode::NodeAdd(std::unique_ptr<Node> node) {
  return NodeInsert(nodes_.size(), std::move(node));
}

Node& ContainerNode::NodeInsert(std::size_t index, std::unique_ptr<Node> node) {
  if (node == nullptr || &node->Owner() != &Owner())
    throw XmlError(std::string(kOwnerNotAssigned));
  if (index > nodes_.size()) throw XmlError(std::string(kNodeIndexOutOfBounds));
  bool isAttribute = node->ElementType() == XmlNodeKind::Attribute;
  index = isAttribute ? std::min<std::size_t>(index, directNodeCount_)
                      : std::max<std::size_t>(index, directNodeCount_);
  if (isAttribute) ++directNodeCount_;
  if (valueIndex_ != kNoValue && index <= valueIndex_) ++valueIndex_;
  node->parent_ = this;
  auto position = nodes_.insert(nodes_.begin() + static_cast<std::ptrdiff_t>(index),
                                std::move(node));
  return **position;
}

void ContainerNode::NodeDelete(std::size_t index) {
  if (index >= nodes_.size()) throw XmlError(std::string(kNodeIndexOutOfBounds));
  if (index < directNodeCount_) --directNodeCount_;
  if (valueIndex_ == index)
    valueIndex_ = kNoValue;
  else if (valueIndex_ != kNoValue && index < valueIndex_)
    --valueIndex_;
  nodes_.erase(nodes_.begin() + static_cast<std::ptrdiff_t>(index));
}

void ContainerNode::AttributeAdd(std::unique_ptr<Attribute> attribute) {
  if (attribute == nullptr || &attribute->Owner() != &Owner()) {
    Diagnose(WarnStyle::Fail, kOwnerNotAssigned);
    return;
  }
  NodeInsert(directNodeCount_, std::move(attribute));
}

void ContainerNode::WriteDirectNodes(BufferWriter& out, std::size_t count) const {
  for (std::size_t i = 0; i < count && i < nodes_.size(); ++i) {
    const Node& node = *nodes_[i];
    switch (node.ElementType()) {
      case XmlNodeKind::Attribute:
        if (i == 0 || nodes_[i - 1]->ElementType() != XmlNodeKind::CharData)
          out.Write(" ");
        node.WriteStream(out);
        break;
      case XmlNodeKind::CharData:
        node.WriteStream(out);
        break;
      default:
        break;
    }
  }
}

bool ContainerNode::HasSubContainers() const {
  for (std::size_t i = directNodeCount_; i < nodes_.size(); ++i)
    if (dynamic_cast<const ContainerNode*>(nodes_[i].get()) != nullptr) return true;
  return false;
}

void ContainerNode::StoreValue(std::string_view utf8) {
  if (utf8.empty()) {
    if (valueIndex_ != kNoValue) NodeDelete(valueIndex_);
    return;
  }
  if (valueIndex_ != kNoValue) {
    ValueNode().SetValue(utf8);
    return;
  }
  auto value = std::make_unique<CharData>(&Owner());
  value->SetValue(utf8);
  NodeInsert(directNodeCount_, std::move(value));
  valueIndex_ = directNodeCount_;
}

CharData& ContainerNode::ValueNode() const {
  return static_cast<CharData&>(*nodes_[valueIndex_]);
}

}  // namespace texttoxml::xml
