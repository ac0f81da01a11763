#include "conversion/message_text.h"

#include <cstdio>

#include "platform/code_page.h"
#include "platform/translate.h"
#include "platform/utf.h"

namespace texttoxml::conversion {

namespace {

// C0 and C1 controls: a terminal acts on them instead of showing them.
bool IsControl(char16_t c) {
  return c < u' ' || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

std::string PrintableText(std::u16string_view text, std::size_t maxLength) {
  const bool cut = text.size() > maxLength;
  if (cut) {
    text = text.substr(0, maxLength);
    // Never end on the first half of a surrogate pair.
    if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.remove_suffix(1);
  }
  std::string printable;
  std::size_t plainStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsControl(text[i])) continue;
    printable += platform::Utf16ToUtf8(text.substr(plainStart, i - plainStart));
    printable += platform::CodePointText(text[i]);
    plainStart = i + 1;
  }
  printable += platform::Utf16ToUtf8(text.substr(plainStart));
  if (cut) printable += "...";
  return printable;
}

std::string Quoted(std::u16string_view text) {
  return platform::InQuotes(PrintableText(text));
}

std::u16string TextOfBytes(std::string_view bytes) {
  platform::Utf8Decoded decoded = platform::Utf8ToUtf16(bytes);
  return decoded.valid ? std::move(decoded.text) : platform::AnsiToUtf16(bytes);
}

std::u16string FileNameOf(std::string_view path) {
  return TextOfBytes(path.substr(path.find_last_of('/') + 1));
}

}  // namespace texttoxml::conversion
