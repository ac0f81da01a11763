#include "check/line_map.h"

#include <algorithm>

#include "conversion/text.h"

namespace texttoxml::check {

namespace {

// The line numbers of the lines that hold text, read the way the memo and
// the preparation read them: up to the first U+0000.
std::vector<std::size_t> FindTextLines(std::u16string_view text) {
  std::vector<std::size_t> numbers;
  conversion::LineReader reader(text);
  std::size_t number = 0;
  for (std::u16string_view line; reader.Next(line);) {
    ++number;
    if (!conversion::TrimView(line).empty()) numbers.push_back(number);
  }
  return numbers;
}

}  // namespace

LineMap::LineMap(std::u16string_view decoded) : textLines_(FindTextLines(decoded)) {}

std::size_t LineMap::LineOfPreparedLine(std::size_t index) const {
  if (textLines_.empty()) return 1;
  return textLines_[std::min(index, textLines_.size() - 1)];
}

// Counted over the whole text, also past a U+0000, so that a character
// there still has a line.
std::size_t LineOfOffset(std::u16string_view decoded, std::size_t offset) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < decoded.size() && i < offset; ++i) {
    if (decoded[i] == u'\r' && i + 1 < decoded.size() && decoded[i + 1] == u'\n') ++i;
    if ((decoded[i] == u'\r' || decoded[i] == u'\n') && i + 1 <= offset) ++line;
  }
  return line;
}

}  // namespace texttoxml::check
