// The embedded-data passage of the import format: bytes taken as text in
// the ANSI code page, encoded as UTF-8, then base64. Readers get the bytes
// back by undoing the three steps.
#pragma once

#include <string>
#include <string_view>

#include "richtext/rich_doc_text.h"

namespace texttoxml::conversion {

std::string EmbeddedData(std::string_view bytes);

// The same for a RichDoc text, streamed from its pieces: neither its
// hexadecimal digits nor their UTF-8 form are ever held whole.
std::string EmbeddedData(const richtext::RichDocText& text);

}  // namespace texttoxml::conversion
