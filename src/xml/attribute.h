// An attribute (XmlAttribute): a name and a quoted value.
#pragma once

#include "xml/char_data.h"

namespace texttoxml::xml {

class Attribute : public Node {
 public:
  explicit Attribute(Document* owner);

  XmlNodeKind ElementType() const override { return XmlNodeKind::Attribute; }

  std::string_view Name() const override { return Lookup(nameId_); }
  void SetName(std::string_view utf8) override { nameId_ = Intern(utf8); }
  // Stores the value escaped; its line breaks stay as they are.
  void SetValue(std::string_view utf8) override;
  void SetStoredValue(std::string_view stored) override { coreValue_.SetCoreValue(stored); }

  const QuotedText& CoreValue() const { return coreValue_; }

  // name="value"
  void WriteStream(BufferWriter& out) const override;

 private:
  std::size_t nameId_ = 0;
  QuotedText coreValue_;  // a member, not a heap object: one allocation per attribute
};

}  // namespace texttoxml::xml
