// The embedded-data passage of the import format: bytes taken as text in
// the ANSI code page, encoded as UTF-8, then base64. Readers get the bytes
// back by undoing the three steps.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "platform/stream.h"
#include "richtext/rich_doc_text.h"
#include "xml/sourced_text.h"

namespace texttoxml::conversion {

// Hands the passage of `bytes` to `out`, a block at a time.
void WriteEmbeddedData(std::string_view bytes, platform::OutputStream& out);

// The same for a RichDoc text, streamed from its pieces: neither its
// hexadecimal digits nor their UTF-8 form are ever held whole.
void WriteEmbeddedData(const richtext::RichDocText& text, platform::OutputStream& out);

// Embedded data as an element value that is written when its element is:
// the bytes or the RichDoc text are kept, never their base64 text.
template <class Content>
class EmbeddedData : public xml::ValueSource {
 public:
  explicit EmbeddedData(Content content) : content_(std::move(content)) {}
  void WriteTo(platform::OutputStream& out) const override { WriteEmbeddedData(content_, out); }

 private:
  Content content_;
};

}  // namespace texttoxml::conversion
