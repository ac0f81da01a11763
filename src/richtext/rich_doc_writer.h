// The RichDoc writer: a rich document as line-oriented text. Records are a
// header line of numbers and the lines it announces; style tables and
// picture bytes are hexadecimal lines; every line ends with CR LF.
#pragma once

#include <string>

#include "richtext/rich_doc_text.h"
#include "richtext/rich_document.h"

namespace texttoxml::richtext {

// Appends the RichDoc text of the whole document to `stream`. Returns false
// when writing failed; what was written until then stays. A picture that
// cannot give its class name or bytes is written as the style sheet's
// invalid picture instead, and is no failure.
bool SaveRichDocToStream(RichDocument& document, std::string& stream);

// The document's RichDoc text, empty when RichDocumentIsEmpty, with its
// hexadecimal lines not yet expanded. Turns off RichDocOption::SaveBinary for
// good, as the text form is wanted. Raises when writing fails rather than
// returning part of a document.
RichDocText WriteRichDocText(RichDocument& document);

// The same as bytes (ASCII unless names or texts are not).
std::string RichDocumentToBytes(RichDocument& document);

// The same decoded from the ANSI code page.
std::u16string RichDocumentToText(RichDocument& document);

}  // namespace texttoxml::richtext
