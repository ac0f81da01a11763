#include "preview/html_text.h"

#include "conversion/message_text.h"
#include "platform/utf.h"
#include "xml/base64.h"

namespace texttoxml::preview {

// Read with the conversion's own text helpers, as the conversion reads.
using namespace conversion;

namespace {

// The reference for a character HTML gives a meaning to; nullptr for any
// other.
const char* Reference(char32_t c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&#39;";
    default:
      return nullptr;
  }
}

bool IsShownByCode(char16_t c) {
  return (c < u' ' && c != u'\t' && c != u'\n' && c != u'\r') || (c >= 0x7F && c <= 0x9F) ||
         c == 0xFFFE || c == 0xFFFF;
}

// A character shown by its code, "[U+0001]", so that it is seen.
void AppendCode(std::string& out, char16_t c) {
  out += '[';
  out += platform::CodePointText(c);
  out += ']';
}

}  // namespace

void AppendHtml(std::string& out, std::u16string_view text) {
  std::size_t plainStart = 0;
  auto flush = [&](std::size_t end) {
    out += platform::Utf16ToUtf8(text.substr(plainStart, end - plainStart));
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const char* reference = Reference(c);
    const bool lineBreak = c == u'\r';
    if (reference == nullptr && !lineBreak && !IsShownByCode(c)) continue;
    flush(i);
    plainStart = i + 1;
    if (reference != nullptr) {
      out += reference;
    } else if (lineBreak) {
      // CR LF and a lone CR both end a line; LF alone passes as it is.
      if (i + 1 < text.size() && text[i + 1] == u'\n') continue;
      out += '\n';
    } else {
      AppendCode(out, c);
    }
  }
  flush(text.size());
}

void AppendHtml(std::string& out, std::string_view utf8) {
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    const char* reference = Reference(byte);
    if (reference != nullptr) {
      out += reference;
    } else if (byte < 0x80 && IsShownByCode(byte)) {
      AppendCode(out, byte);
    } else {
      out += c;
    }
  }
}

std::string DataAddress(std::string_view mimeType, std::string_view bytes) {
  return "data:" + std::string(mimeType) + ";base64," + xml::EncodeBase64(bytes);
}

}  // namespace texttoxml::preview
