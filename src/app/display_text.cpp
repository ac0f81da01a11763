#include "app/display_text.h"

#include "platform/utf.h"

namespace texttoxml::app {

std::u16string DisplayText(std::string_view utf8) {
  std::u16string text;
  for (;;) {
    platform::Utf8Decoded decoded = platform::Utf8ToUtf16(utf8);
    if (decoded.valid) return text + decoded.text;
    // The decoder gives nothing for an invalid text, so decode the valid
    // part before the bad byte again on its own.
    text += platform::Utf8ToUtf16(utf8.substr(0, decoded.errorOffset)).text;
    text += u'\uFFFD';
    utf8.remove_prefix(decoded.errorOffset + 1);
  }
}

}  // namespace texttoxml::app
