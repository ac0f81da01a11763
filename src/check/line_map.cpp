#include "check/line_map.h"

#include <algorithm>
#include <iterator>

#include "conversion/text.h"

namespace texttoxml::check {

// The lines are read the way the memo and the preparation read them: up to
// the first U+0000.
LineMap::LineMap(std::u16string_view decoded) {
  conversion::LineReader reader(decoded);
  std::size_t number = 0;
  for (std::u16string_view line; reader.Next(line);) {
    ++number;
    if (conversion::TrimView(line).empty()) continue;
    const std::size_t offset = number - textLineCount_;
    if (gaps_.empty() || gaps_.back().offset != offset) gaps_.push_back({textLineCount_, offset});
    ++textLineCount_;
  }
}

std::size_t LineMap::LineOfPreparedLine(std::size_t index) const {
  if (gaps_.empty()) return 1;
  index = std::min(index, textLineCount_ - 1);
  const auto after = std::upper_bound(gaps_.begin(), gaps_.end(), index,
                                      [](std::size_t i, const Gap& gap) { return i < gap.index; });
  return index + std::prev(after)->offset;
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
