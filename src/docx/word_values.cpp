#include "docx/word_values.h"

#include <algorithm>

#include "platform/utf.h"

namespace texttoxml::docx {

const std::string* ChildValue(const XmlElement& element, std::string_view child) {
  const XmlElement* found = element.Child(Ns::W, child);
  return found ? found->Attribute(Ns::W, "val") : nullptr;
}

std::optional<std::int64_t> WholeNumber(std::string_view text, std::int64_t low,
                                        std::int64_t high) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 12) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (negative) value = -value;
  if (value < low || value > high) return std::nullopt;
  return value;
}

bool IsOn(const XmlElement* property) {
  if (property == nullptr) return false;
  const std::string* value = property->Attribute(Ns::W, "val");
  return value == nullptr || *value == "true" || *value == "1" || *value == "on";
}

std::u16string Utf16(std::string_view utf8) {
  // Expat hands over well-formed UTF-8 only; the fallback keeps the
  // function total for any other caller.
  platform::Utf8Decoded decoded = platform::Utf8ToUtf16(utf8);
  std::u16string text;
  if (decoded.valid) {
    text = std::move(decoded.text);
  } else {
    for (unsigned char c : utf8) text += c < 0x80 ? static_cast<char16_t>(c) : u'\uFFFD';
  }
  std::replace_if(
      text.begin(), text.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
  return text;
}

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return lower;
}

std::string WithoutLineBreaks(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return text;
}

}  // namespace texttoxml::docx
