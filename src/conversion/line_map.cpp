#include "conversion/line_map.h"

#include <algorithm>

#include "conversion/task_parser.h"
#include "conversion/text.h"

namespace texttoxml::conversion {

namespace {

// The index within the block of the line that names the picture.
std::size_t PictureLineInBlock(std::u16string_view block, std::optional<std::size_t> variant) {
  const BlockLines blockLines(block);
  const std::vector<std::u16string_view>& lines = blockLines.Lines();
  const std::size_t firstAnswer = blockLines.FirstAnswer();
  if (!variant) return firstAnswer == 0 ? 0 : firstAnswer - 1;
  std::size_t seen = 0;
  for (std::size_t i = firstAnswer; i < lines.size(); ++i) {
    if (IsAnswerLine(lines[i]) && seen++ == *variant) return i;
  }
  return firstAnswer;
}

// Offsets where lines begin, over the whole text (also past a U+0000, so
// that a character there still has a line).
std::vector<std::size_t> FindLineStarts(std::u16string_view text) {
  std::vector<std::size_t> starts{0};
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    if (text[i] == u'\r' || text[i] == u'\n') starts.push_back(i + 1);
  }
  return starts;
}

// The line numbers of the lines that hold text, read the way the memo and
// the preparation read them: up to the first U+0000.
std::vector<std::size_t> FindTextLines(std::u16string_view text) {
  std::vector<std::size_t> numbers;
  LineReader reader(text);
  std::size_t number = 0;
  for (std::u16string_view line; reader.Next(line);) {
    ++number;
    if (!TrimView(line).empty()) numbers.push_back(number);
  }
  return numbers;
}

}  // namespace

LineMap::LineMap(std::u16string_view decoded)
    : lineStarts_(FindLineStarts(decoded)), textLines_(FindTextLines(decoded)) {}

std::size_t LineMap::LineOfOffset(std::size_t offset) const {
  auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
  return static_cast<std::size_t>(after - lineStarts_.begin());
}

std::size_t LineMap::LineOfPreparedLine(std::size_t index) const {
  if (textLines_.empty()) return 1;
  return textLines_[std::min(index, textLines_.size() - 1)];
}

std::size_t PreparedLineCount(std::u16string_view block) {
  return static_cast<std::size_t>(std::count(block.begin(), block.end(), u'\n')) + 1;
}

std::size_t PreparedLineOfPicture(std::span<const std::u16string_view> blocks, std::size_t block,
                                  std::optional<std::size_t> variant) {
  if (block >= blocks.size()) return 0;
  std::size_t preparedLine = 0;
  for (std::size_t b = 0; b < block; ++b) preparedLine += PreparedLineCount(blocks[b]);
  return preparedLine + PictureLineInBlock(blocks[block], variant);
}

}  // namespace texttoxml::conversion
