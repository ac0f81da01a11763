// The text conventions of the task conversion: what a blank is, what a line
// break is, and how text is cut into lines and put back together.
//
// A blank is any character from U+0000 to U+0020; other white space such as
// U+00A0 is text. CR LF, a lone CR and a lone LF each read as one line break;
// the system itself always writes CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace texttoxml::conversion {

inline constexpr std::u16string_view kLineBreak = u"\r\n";

inline constexpr bool IsBlank(char16_t c) {
  return c <= u' ';
}

// The text without its leading and trailing blanks, as a view into `text`.
std::u16string_view TrimView(std::u16string_view text);

// The text without its leading and trailing blanks.
std::u16string TrimText(std::u16string_view text);

// The position of the first unit at or after `from` that lies between
// U+0000 and CR, where a line may end; text.size() when there is none.
// Ordinary text is skipped four units at a time.
std::size_t NextControlUnit(std::u16string_view text, std::size_t from);

// Walks the lines of a text one at a time, as views into it. A line break at
// the very end adds no empty line, LF CR is two line breaks, and a U+0000
// ends the text.
class LineReader {
 public:
  explicit LineReader(std::u16string_view text) : text_(text) {}
  // The next line; false when there is none.
  bool Next(std::u16string_view& line);

 private:
  std::u16string_view text_;
  std::size_t position_ = 0;
};

// All lines of a text, as views into it.
std::vector<std::u16string_view> SplitLineViews(std::u16string_view text);

// The same lines as owned strings.
std::vector<std::u16string> SplitLines(std::u16string_view text);

// Every line followed by CR LF, the last one included.
std::u16string JoinLines(const std::vector<std::u16string>& lines);

}  // namespace texttoxml::conversion
