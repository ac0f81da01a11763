// The base of every node of an XML document (XmlNode): its owner document,
// its parent, its place in the parent's list, and the operations that each
// node kind accepts or refuses.
//
// Nodes are made by their document (Document::NewNode) and live in its
// arena until the document goes; they are never destroyed one by one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "xml/xml_errors.h"

namespace texttoxml::xml {

class Attribute;
class BufferWriter;
class Document;

// The node kinds this system builds (XmlNodeKind); Error is a node of no
// particular kind.
enum class XmlNodeKind { Element, Attribute, CharData, Declaration, QuotedText, Error };

// Level of a diagnostic message.
enum class WarnStyle { Info, Hint, Warn, Fail };

class Node {
 public:
  // A node belongs to the document it is made for, for its whole life;
  // raises XmlError "XML owner is not assigned" when there is none.
  explicit Node(Document* owner);
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  Document& Owner() const { return *owner_; }
  // The container whose list holds the node, the attribute that holds a
  // quoted value, or none for a top-level node.
  Node* Parent() const { return parent_; }
  // The node after this one in its parent's list.
  Node* NextNode() const { return next_; }

  virtual XmlNodeKind ElementType() const { return XmlNodeKind::Error; }

  // Names and values are UTF-8. Kinds without a name or a value raise
  // XmlError on these writes.
  virtual std::string_view Name() const { return {}; }
  virtual void SetName(std::string_view utf8);
  virtual void SetValue(std::string_view utf8);
  // A value already in the stored form of an element's text (escaped, line
  // breaks as LF), as SetValueUnicode makes it.
  virtual void SetStoredValue(std::string_view stored);
  void SetValueUnicode(std::u16string_view text);
  void SetValueAsDateTime(const platform::DateTime& time);

  // Child nodes; leaves have none and refuse every change with XmlError.
  virtual std::size_t NodeCount() const { return 0; }
  virtual Node& NodeAdd(Node& node);
  virtual Node& NodeInsert(std::size_t index, Node& node);
  virtual void NodeDelete(std::size_t index);
  virtual void AttributeAdd(Attribute& attribute);
  void AttributeAdd(std::string_view nameUtf8, std::string_view valueUtf8);

  virtual void WriteStream(BufferWriter& out) const;
  // The indentation of this node and the line break of the document's layout
  // (both empty unless the layout is readable), and the line break proper.
  void WriteIndent(BufferWriter& out) const;
  void WriteReadableLineBreak(BufferWriter& out) const;
  static void WriteLineBreak(BufferWriter& out);

 protected:
  // Hands a message to the document's diagnostic handler, if it has one.
  void Diagnose(WarnStyle style, std::string_view message) const;
  // Shorthands for the owner's string table.
  std::size_t Intern(std::string_view text) const;
  std::string_view Lookup(std::size_t id) const;

 private:
  friend class ContainerNode;
  friend class Attribute;

  std::size_t Depth() const;

  Document* owner_;
  Node* parent_ = nullptr;
  Node* next_ = nullptr;
};

// The messages of the refused operations.
inline constexpr std::string_view kOwnerNotAssigned = "XML owner is not assigned";
inline constexpr std::string_view kCannotSetName = "cannot set name on this type of element";
inline constexpr std::string_view kCannotSetValue = "cannot set value on this type of element";
inline constexpr std::string_view kCannotAddNode = "cannot add node to this type of element";
inline constexpr std::string_view kCannotManipulateNodes =
    "cannot manipulate nodes in this type of element";
inline constexpr std::string_view kCannotAddAttribute = "cannot add attribute";
inline constexpr std::string_view kNodeIndexOutOfBounds = "node index out of bounds";
inline constexpr std::string_view kNodeInTree = "node is already in the tree";

}  // namespace texttoxml::xml
