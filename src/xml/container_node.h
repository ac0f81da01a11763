// A node with an ordered list of nodes (XmlContainerNode): first the
// attributes, then the value node, if any, then the child nodes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "xml/node.h"

namespace texttoxml::xml {

class CharData;
class ValueSource;

class ContainerNode : public Node {
 public:
  using Node::AttributeAdd;
  using Node::Node;

  std::size_t NodeCount() const override { return count_; }
  // The list runs from FirstNode() along Node::NextNode().
  Node* FirstNode() const { return first_; }
  // Raises XmlError "node index out of bounds" past the end.
  Node& NodeAt(std::size_t index) const;
  // How many leading entries of the list are attributes.
  std::size_t DirectNodeCount() const { return directNodeCount_; }
  // Where the value node stands in the list, if there is one.
  std::optional<std::size_t> ValueIndex() const {
    if (valueIndex_ == kNoValue) return std::nullopt;
    return valueIndex_;
  }

  // The node must be a new one of this document: not yet in the tree (else
  // XmlError "node is already in the tree") and made by the same document
  // (else "XML owner is not assigned"). An attribute always joins the
  // attributes and anything else always goes after them, wherever the index
  // points, so that the leading entries remain the attributes.
  Node& NodeAdd(Node& node) override;
  Node& NodeInsert(std::size_t index, Node& node) override;
  // Takes the node out of the list; its memory stays with the document.
  void NodeDelete(std::size_t index) override;
  // Appends after the earlier attributes, before the value and the children.
  // An attribute of another document is reported and dropped.
  void AttributeAdd(Attribute& attribute) override;

 protected:
  // Writes the first `count` entries: attributes, each after one space, and
  // character data.
  void WriteDirectNodes(BufferWriter& out, std::size_t count) const;
  // The first entry after the attributes: the value node or a child.
  Node* FirstContentNode() const;
  // Whether a container follows the attributes.
  bool HasSubContainers() const;
  // Replaces, creates or (for the empty text) deletes the value node.
  void StoreValue(std::string_view utf8);
  // The same for a text in its stored form.
  void StoreCoreValue(std::string_view stored);
  // Replaces the value by one written from `source` when the element is.
  void StoreSourcedValue(std::unique_ptr<ValueSource> source);

 private:
  // The node before position `index`, none for 0.
  Node* NodeBefore(std::size_t index) const;
  void CheckNewNode(const Node& node) const;
  CharData& ValueNode() const;
  // The value node, made when there is none yet.
  CharData& ValueNodeToSet();
  void InsertValueNode(CharData& value);

  // 32-bit positions keep an element small: a document of a large test
  // bank holds millions of them.
  static constexpr std::uint32_t kNoValue = UINT32_MAX;
  Node* first_ = nullptr;
  Node* last_ = nullptr;
  std::uint32_t count_ = 0;
  std::uint32_t directNodeCount_ = 0;
  std::uint32_t valueIndex_ = kNoValue;
};

}  // namespace texttoxml::xml
