// Character data (XmlCharData): an element's value, and its quoted form
// (XmlQuotedText) that holds an attribute's value.
#pragma once

#include "xml/node.h"

namespace texttoxml::xml {

class CharData : public Node {
 public:
  using Node::Node;

  XmlNodeKind ElementType() const override { return XmlNodeKind::CharData; }

  // Character data has no name: a non-empty one is reported as a hint and
  // ignored.
  void SetName(std::string_view utf8) override;
  // Stores the text with LF line breaks and the XML characters escaped.
  void SetValue(std::string_view utf8) override;
  void SetStoredValue(std::string_view stored) override { SetCoreValue(stored); }

  // The stored text, escaped, line breaks as they were stored.
  std::string_view CoreValue() const { return Lookup(valueId_); }
  // Stores a text that is already in its stored form.
  void SetCoreValue(std::string_view storedUtf8) { valueId_ = Intern(storedUtf8); }

  void WriteStream(BufferWriter& out) const override;

 protected:
  // The stored text with every line break written as CR LF.
  void WriteOutputValue(BufferWriter& out) const;

 private:
  std::size_t valueId_ = 0;
};

class QuotedText : public CharData {
 public:
  using CharData::CharData;

  XmlNodeKind ElementType() const override { return XmlNodeKind::QuotedText; }

  // The value between double quotes.
  void WriteStream(BufferWriter& out) const override;
};

}  // namespace texttoxml::xml
