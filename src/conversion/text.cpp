#include "conversion/text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace texttoxml::conversion {

std::u16string_view TrimView(std::u16string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::u16string TrimText(std::u16string_view text) {
  return std::u16string(TrimView(text));
}

// A word of four units holds one below CR exactly when subtracting CR + 1
// from every unit borrows from a unit whose top bit was clear.
std::size_t NextControlUnit(std::u16string_view text, std::size_t from) {
  constexpr std::uint64_t kLanes = 0x0001000100010001u;
  std::size_t i = from;
  for (std::uint64_t word; i + 4 <= text.size(); i += 4) {
    std::memcpy(&word, text.data() + i, sizeof word);
    if (((word - kLanes * (u'\r' + 1)) & ~word & (kLanes * 0x8000)) != 0) break;
  }
  while (i < text.size() && text[i] > u'\r') ++i;
  return i;
}

namespace {

bool EndsLine(char16_t c) {
  return c == u'\r' || c == u'\n' || c == u'\0';
}

}  // namespace

bool LineReader::Next(std::u16string_view& line) {
  std::size_t i = position_;
  if (i >= text_.size() || text_[i] == u'\0') return false;
  const std::size_t start = i;
  for (i = NextControlUnit(text_, i); i < text_.size() && !EndsLine(text_[i]);)
    i = NextControlUnit(text_, i + 1);
  line = text_.substr(start, i - start);
  if (i < text_.size() && text_[i] == u'\r') ++i;
  if (i < text_.size() && text_[i] == u'\n') ++i;
  position_ = i;
  return true;
}

std::vector<std::u16string_view> SplitLineViews(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  // Room for every line of a text in memo form at once: a block of a
  // million lines would otherwise pass through a copy half its size.
  lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n')) + 1);
  LineReader reader(text);
  for (std::u16string_view line; reader.Next(line);) lines.push_back(line);
  return lines;
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  for (std::u16string_view line : SplitLineViews(text)) lines.emplace_back(line);
  return lines;
}

std::u16string JoinLines(const std::vector<std::u16string>& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + kLineBreak.size();
  std::u16string text;
  text.reserve(size);
  for (const auto& line : lines) text.append(line).append(kLineBreak);
  return text;
}

}  // namespace texttoxml::conversion
