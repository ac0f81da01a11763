#include "xml/char_data.h"

#include "xml/buffer_writer.h"
#include "xml/document.h"
#include "xml/value_text.h"

namespace texttoxml::xml {

void CharData::SetName(std::string_view utf8) {
  if (!utf8.empty()) Diagnose(WarnStyle::Hint, kCannotSetName);
}

void CharData::SetValue(std::string_view utf8) {
  std::string scratch;
  SetCoreValue(ElementText(utf8, scratch));
}

void CharData::WriteStream(BufferWriter& out) const {
  WriteOutputValue(out);
}

// Element text holds its line breaks as lone LFs. An attribute value keeps
// the CR LF it was given; that LF must not gain a second CR, or the value
// would read back with an extra line break.
void CharData::WriteOutputValue(BufferWriter& out) const {
  std::string_view text = CoreValue();
  std::size_t start = 0;
  for (std::size_t lf = text.find('\n'); lf != text.npos; lf = text.find('\n', start)) {
    bool afterCr = lf > 0 && text[lf - 1] == '\r';
    out.Write(text.substr(start, lf - start));
    out.Write(afterCr ? "\n" : "\r\n");
    start = lf + 1;
  }
  out.Write(text.substr(start));
}

void QuotedText::WriteStream(BufferWriter& out) const {
  out.Write("\"");
  WriteOutputValue(out);
  out.Write("\"");
}

}  // namespace texttoxml::xml
