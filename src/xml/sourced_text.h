// An element value that is not stored but written from a source when its
// element is written: the base64 text of a picture, megabytes that would
// otherwise be held whole, once as the value and again in the output
// buffers. The document keeps the source as long as the node
// (Document::KeepSource).
#pragma once

#include "platform/stream.h"
#include "xml/char_data.h"

namespace texttoxml::xml {

class ValueSource {
 public:
  virtual ~ValueSource() = default;
  // Hands the value to `out` in its stored form: it must hold none of the
  // characters XML reserves and no line break, as base64 text does not.
  // Writes at least one byte, since an empty value is no value.
  virtual void WriteTo(platform::OutputStream& out) const = 0;
};

class SourcedText : public CharData {
 public:
  SourcedText(Document* owner, const ValueSource& source) : CharData(owner), source_(&source) {}

  void WriteStream(BufferWriter& out) const override;

 private:
  const ValueSource* source_;
};

}  // namespace texttoxml::xml
