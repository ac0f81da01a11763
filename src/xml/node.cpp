#include "xml/node.h"

#include "xml/attribute.h"
#include "xml/buffer_writer.h"
#include "xml/document.h"
#include "xml/value_text.h"
#include "xml/xml_errors.h"

namespace texttoxml::xml {

namespace {

constexpr std::string_view kIndentString = "\t";
constexpr std::string_view kLineBreak = "\r\n";

[[noreturn]] void Refuse(std::string_view message) {
  throw XmlError(std::string(message));
}

}  // namespace

Node::Node(Document* owner) : owner_(owner) {
  if (owner_ == nullptr) Refuse(kOwnerNotAssigned);
}

void Node::SetName(std::string_view) {
  Refuse(kCannotSetName);
}

void Node::SetValue(std::string_view) {
  Refuse(kCannotSetValue);
}

void Node::SetStoredValue(std::string_view) {
  Refuse(kCannotSetValue);
}

void Node::SetValueUnicode(std::u16string_view text) {
  std::string& stored = owner_->ConversionBuffer();
  WideToElementText(text, stored);
  SetStoredValue(stored);
}

void Node::SetValueAsDateTime(const platform::DateTime& time) {
  SetValue(DateTimeText(time));
}

Node& Node::NodeAdd(Node&) {
  Refuse(kCannotAddNode);
}

Node& Node::NodeInsert(std::size_t, Node&) {
  Refuse(kCannotAddNode);
}

void Node::NodeDelete(std::size_t) {
  Refuse(kCannotManipulateNodes);
}

void Node::AttributeAdd(Attribute&) {
  Refuse(kCannotAddAttribute);
}

void Node::AttributeAdd(std::string_view nameUtf8, std::string_view valueUtf8) {
  auto& attribute = owner_->NewNode<Attribute>();
  attribute.SetName(nameUtf8);
  attribute.SetValue(valueUtf8);
  AttributeAdd(attribute);
}

void Node::WriteStream(BufferWriter&) const {}

void Node::WriteIndent(BufferWriter& out) const {
  if (owner_->XmlFormat() != XmlFormatType::Readable) return;
  static const std::string kTabs(64, kIndentString[0]);
  std::size_t depth = Depth();
  for (; depth > kTabs.size(); depth -= kTabs.size()) out.Write(kTabs);
  out.Write(std::string_view(kTabs).substr(0, depth));
}

void Node::WriteReadableLineBreak(BufferWriter& out) const {
  if (owner_->XmlFormat() == XmlFormatType::Readable) WriteLineBreak(out);
}

void Node::WriteLineBreak(BufferWriter& out) {
  out.Write(kLineBreak);
}

void Node::Diagnose(WarnStyle style, std::string_view message) const {
  owner_->Diagnose(*this, style, message);
}

std::size_t Node::Intern(std::string_view text) const {
  return owner_->GetSymbolTable().AddString(text);
}

std::string_view Node::Lookup(std::size_t id) const {
  return owner_->GetSymbolTable().GetString(id);
}

std::size_t Node::Depth() const {
  std::size_t depth = 0;
  for (const Node* node = parent_; node != nullptr; node = node->parent_) ++depth;
  return depth;
}

}  // namespace texttoxml::xml
