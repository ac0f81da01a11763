// A node with an ordered list of nodes (XmlContainerNode): first the
// attributes, then the value node, if any, then the child nodes.
#pragma once

#include <cstdint>
#include <optional>

#include "xml/node.h"

namespace texttoxml::xml {

class CharData;

class ContainerNode : public Node {
 public:
  using Node::Node;
  using Node::AttributeAdd;

  std::size_t NodeCount() const override { return nodes_.size(); }
  const NodeList& Nodes() const { return nodes_; }
  // How many leading entries of Nodes() are attributes.
  std::size_t DirectNodeCount() const { return directNodeCount_; }
  // Where the value node stands in Nodes(), if there is one.
  std::optional<std::size_t> ValueIndex() const {
    if (valueIndex_ == kNoValue) return std::nullopt;
    return valueIndex_;
  }

  // The node must belong to this document (else XmlError "XML owner is not
  // assigned"). An attribute always joins the attributes and anything else
  // always goes after them, wherever the index points, so that the leading
  // entries remain the attributes.
  Node& NodeAdd(std::unique_ptr<Node> node) override;
  Node& NodeInsert(std::size_t index, std::unique_ptr<Node> node) override;
  void NodeDelete(std::size_t index) override;
  // Appends after the earlier attributes, before the value and the children.
  // An attribute of no or another document is reported and dropped.
  void AttributeAdd(std::unique_ptr<Attribute> attribute) override;

 protected:
  // Writes the first `count` entries: attributes, each after one space, and
  // character data.
  void WriteDirectNodes(BufferWriter& out, std::size_t count) const;
  // Whether a container follows the attributes.
  bool HasSubContainers() const;
  // Replaces, creates or (for the empty text) deletes the value node.
  void StoreValue(std::string_view utf8);

 private:
  CharData& ValueNode() const;

  // 32-bit positions keep an element small: a document of a large test
  // bank holds millions of them.
  static constexpr std::uint32_t kNoValue = UINT32_MAX;

  NodeList nodes_;
  std::uint32_t directNodeCount_ = 0;
  std::uint32_t valueIndex_ = kNoValue;
};

}  // namespace texttoxml::xml
