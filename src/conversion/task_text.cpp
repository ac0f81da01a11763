#include "conversion/task_text.h"

#include <algorithm>
#include <utility>

#include "conversion/text.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/platform_errors.h"
#include "platform/utf.h"

namespace texttoxml::conversion {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// `bytes` are the file's bytes from `offset` on; the offset makes the
// reported position count from the start of the file.
std::u16string DecodeUtf8(const std::string& path, std::string_view bytes, std::size_t offset) {
  platform::Utf8Decoded decoded = platform::Utf8ToUtf16(bytes);
  if (!decoded.valid) {
    throw InvalidUtf8Error(platform::FullPath(path), offset + decoded.errorOffset);
  }
  return std::move(decoded.text);
}

// Code units in pairs of bytes, unchecked; an odd last byte is ignored.
std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    auto first = static_cast<unsigned char>(bytes[i]);
    auto second = static_cast<unsigned char>(bytes[i + 1]);
    unsigned unit = bigEndian ? (first << 8 | second) : (second << 8 | first);
    text += static_cast<char16_t>(unit);
  }
  return text;
}

// Makes every line break of `text` that is no CR LF one, from the end
// backwards; `widened` is how many there are.
void WidenLineBreaks(std::u16string& text, std::size_t widened) {
  std::size_t read = text.size();
  text.resize(read + widened);
  std::size_t write = text.size();
  while (read > 0) {
    const char16_t c = text[--read];
    if (c != u'\r' && c != u'\n') {
      text[--write] = c;
      continue;
    }
    if (c == u'\n' && read > 0 && text[read - 1] == u'\r') --read;  // a CR LF already
    text[--write] = u'\n';
    text[--write] = u'\r';
  }
}

}  // namespace

std::u16string LoadTaskText(const std::string& path, bool utf8) {
  return RaisingOnOutOfMemory(
      [&] { return DecodeTaskText(platform::ReadWholeFile(path), utf8, path); },
      [&] { return OutOfMemoryError::ReadingText(path); });
}

std::u16string DecodeTaskText(std::string_view bytes, bool utf8, const std::string& path) {
  std::string_view rest = bytes;
  if (rest.starts_with(kUtf8Mark)) {
    return DecodeUtf8(path, rest.substr(kUtf8Mark.size()), kUtf8Mark.size());
  }
  if (utf8) return DecodeUtf8(path, rest, 0);
  if (rest.starts_with(kUtf16LeMark)) {
    return DecodeUtf16(rest.substr(kUtf16LeMark.size()), false);
  }
  if (rest.starts_with(kUtf16BeMark)) {
    return DecodeUtf16(rest.substr(kUtf16BeMark.size()), true);
  }
  return platform::AnsiToUtf16(rest);
}

// In place: a first pass finds the first U+0000 and counts the line breaks
// that are no CR LF, and a second, from the end backwards, widens each of
// them to CR LF. The decoders leave room for that, so the text is never
// held twice.
std::u16string MemoText(std::u16string decoded) {
  const std::u16string_view text = decoded;
  std::size_t widened = 0;
  std::size_t end = 0;
  for (; (end = NextControlUnit(text, end)) < text.size(); ++end) {
    if (text[end] == u'\0') break;
    if (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') {
      ++end;
    } else if (text[end] == u'\r' || text[end] == u'\n') {
      ++widened;
    }
  }
  decoded.resize(std::min(end, decoded.size()));
  if (widened > 0) WidenLineBreaks(decoded, widened);
  return decoded;
}

namespace {

// Whether the text is in memo form: every line break a CR LF, no U+0000.
bool IsMemoForm(std::u16string_view text) {
  for (std::size_t i = 0; (i = NextControlUnit(text, i)) < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\0' || c == u'\n') return false;
    if (c == u'\r') {
      if (i + 1 == text.size() || text[i + 1] != u'\n') return false;
      ++i;
    }
  }
  return true;
}

// The first line keeps blanks at its end and the last line blanks at its
// start; every line between is trimmed, and an empty one is dropped when the
// line kept before it is empty too. One pass, so that a text with a huge run
// of blank lines costs no more than its length.
//
// A text in memo form is rewritten in place: each kept line with its CR LF
// moves towards the front and never overtakes the lines still to be read.
std::u16string NormaliseLines(std::u16string text) {
  const bool inPlace = IsMemoForm(text);
  // Otherwise a lone CR or LF becomes two characters: at most twice as long.
  std::u16string copy(inPlace ? 0 : 2 * text.size() + kLineBreak.size(), u'\0');
  std::u16string& normalised = inPlace ? text : copy;
  std::size_t size = 0;
  const auto keep = [&](std::u16string_view line) {
    std::char_traits<char16_t>::move(normalised.data() + size, line.data(), line.size());
    size += line.size();
    // Only the last line, when no line break followed it, needs more room.
    if (normalised.size() < size + kLineBreak.size()) normalised.resize(size + kLineBreak.size());
    std::char_traits<char16_t>::copy(normalised.data() + size, kLineBreak.data(),
                                     kLineBreak.size());
    size += kLineBreak.size();
  };

  LineReader reader(TrimView(text));
  std::u16string_view line;
  std::u16string_view next;
  bool hasLine = reader.Next(line);
  bool first = true;
  bool previousEmpty = false;
  while (hasLine) {
    const bool hasNext = reader.Next(next);
    const bool inner = !first && hasNext;
    if (inner) line = TrimView(line);
    if (!(inner && line.empty() && previousEmpty)) {
      keep(line);
      previousEmpty = line.empty();
    }
    line = next;
    hasLine = hasNext;
    first = false;
  }
  normalised.resize(size);
  return std::move(normalised);
}

// Cuts at every CR LF CR LF, left to right, keeping the pieces in order;
// an empty text holds no block at all.
std::vector<std::u16string_view> CutTaskBlocks(std::u16string_view normalised) {
  constexpr std::u16string_view kSeparator = u"\r\n\r\n";
  const std::u16string_view text = TrimView(normalised);
  std::vector<std::u16string_view> blocks;
  if (text.empty()) return blocks;
  std::size_t start = 0;
  for (;;) {
    std::size_t found = text.find(kSeparator, start);
    if (found == std::u16string_view::npos) break;
    blocks.push_back(text.substr(start, found - start));
    start = found + kSeparator.size();
  }
  blocks.push_back(text.substr(start));
  return blocks;
}

}  // namespace

PreparedText::PreparedText(std::u16string memoText)
    : normalised(NormaliseLines(std::move(memoText))), blocks(CutTaskBlocks(normalised)) {}

PreparedText PrepareTaskText(std::u16string memoText) {
  return PreparedText(std::move(memoText));
}

}  // namespace texttoxml::conversion
