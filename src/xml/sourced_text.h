// An element value that is not stored but written from a source when its
// element is written: the base64 text of a picture, megabytes that would
// otherwise be held whole, once as the value and again in the output
// buffers. The document keeps the source as long as the node
// (Document::KeepSource).
#pragma once

#include <string_view>

#include "platform/stream.h"
#include "xml/char_data.h"

namespace texttoxml::xml {

class ValueSource {
 public:
  virtual ~ValueSource() = default;
  // Hands the value to `out` as the document writes it: the characters
  // XML reserves escaped, line breaks as CR LF. Writes at least one byte,
  // since an empty value is no value.
  virtual void WriteTo(platform::OutputStream& out) const = 0;
};

// A UTF-16 text written as an element's text piece by piece, so that a
// long text is never held in its stored form, neither whole in the
// conversion buffer nor in the document. The text must outlive the writing
// of its element, and must not be empty.
class WideTextSource : public ValueSource {
 public:
  explicit WideTextSource(std::u16string_view text) : text_(text) {}
  void WriteTo(platform::OutputStream& out) const override;

 private:
  std::u16string_view text_;
};

class SourcedText : public CharData {
 public:
  SourcedText(Document* owner, const ValueSource& source) : CharData(owner), source_(&source) {}

  void WriteStream(BufferWriter& out) const override;

 private:
  const ValueSource* source_;
};

}  // namespace texttoxml::xml
