#include "xml/value_text.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "platform/utf.h"

namespace texttoxml::xml {

namespace {

constexpr std::string_view kEscapedCharacters = "&<>\"'";

std::string_view EntityOf(char c) {
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
      return "&apos;";
    default:
      return {};
  }
}

std::string Escape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    std::string_view entity = EntityOf(c);
    if (entity.empty())
      escaped += c;
    else
      escaped += entity;
  }
  return escaped;
}

// In place: CR LF becomes LF, every other CR becomes LF.
void NormalizeLineBreaks(std::string& text) {
  std::size_t out = text.find('\r');
  if (out == text.npos) return;
  for (std::size_t i = out; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      c = '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    text[out++] = c;
  }
  text.resize(out);
}

// What the stored forms rewrite: 1 for the characters XML reserves, 2 for CR.
constexpr std::array<unsigned char, 256> kRewritten = [] {
  std::array<unsigned char, 256> table{};
  for (char c : kEscapedCharacters) table[static_cast<unsigned char>(c)] = 1;
  table['\r'] = 2;
  return table;
}();

// Bit 1: the text holds a character that XML reserves; bit 2: it holds a CR.
// A short text is looked at once, byte by byte; a long one (megabytes of
// base64) once per character, by the C library's search, which takes many
// bytes at a time.
unsigned RewritesOf(std::string_view text) {
  constexpr std::size_t kLongText = 1024;
  unsigned found = 0;
  if (text.size() < kLongText) {
    for (char c : text) found |= kRewritten[static_cast<unsigned char>(c)];
    return found;
  }
  for (char c : kEscapedCharacters)
    if (text.find(c) != text.npos) found |= 1;
  if (text.find('\r') != text.npos) found |= 2;
  return found;
}

// Large texts (base64 of pictures) usually need neither step, so they are
// only scanned, never copied.
std::string_view StoredText(std::string_view text, std::string& scratch, bool normalizeLineBreaks) {
  const unsigned found = RewritesOf(text) & (normalizeLineBreaks ? 3 : 1);
  if (found == 0) return text;
  scratch = (found & 1) != 0 ? Escape(text) : std::string(text);
  if ((found & 2) != 0) NormalizeLineBreaks(scratch);
  return scratch;
}

}  // namespace

std::string_view ElementText(std::string_view text, std::string& scratch) {
  return StoredText(text, scratch, true);
}

std::string_view AttributeText(std::string_view text, std::string& scratch) {
  return StoredText(text, scratch, false);
}

void WideToElementText(std::u16string_view text, std::string& stored) {
  static_assert(std::string_view("&quot;").size() <= platform::kMaxAsciiForm);
  stored.clear();
  platform::AppendUtf16AsUtf8With(stored, text,
                                  [](std::u16string_view units, std::size_t& i, char* at) {
                                    const char c = static_cast<char>(units[i]);
                                    if (c == '\r') {
                                      if (i + 1 < units.size() && units[i + 1] == u'\n') ++i;
                                      *at = '\n';
                                      return at + 1;
                                    }
                                    const std::string_view entity = EntityOf(c);
                                    if (entity.empty()) {
                                      *at = c;
                                      return at + 1;
                                    }
                                    std::memcpy(at, entity.data(), entity.size());
                                    return at + entity.size();
                                  });
}

std::string DateTimeText(const platform::DateTime& time) {
  char text[96];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", time.year, time.month,
                time.day, time.hour, time.minute, time.second);
  return text;
}

}  // namespace texttoxml::xml
