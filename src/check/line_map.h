// Line numbers of a task file as it was read, for telling the user where
// something stands in their own text.
//
// Lines count from 1 in the decoded text: CR LF, a lone CR and a lone LF each
// end a line (so LF CR is two line breaks), and a byte order mark, dropped by
// decoding, adds nothing. Preparing the text trims lines and drops blank ones,
// but it never drops or merges a line that holds text; so the n-th line of
// the prepared blocks is the n-th line of the file that holds any character
// other than a blank.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace texttoxml::check {

class LineMap {
 public:
  explicit LineMap(std::u16string_view decoded);

  // The line of the `index`-th line (from 0) of all prepared blocks taken in
  // order.
  std::size_t LineOfPreparedLine(std::size_t index) const;

  // How many lines hold text, before any U+0000 cuts the text.
  std::size_t TextLineCount() const { return textLineCount_; }

 private:
  // Where the lines holding text skip blank ones: from the text line
  // `index` on, the file line is that index plus `offset`. One entry for
  // each run of blank lines, not one for each line, so that a text of a
  // million lines costs nothing here.
  struct Gap {
    std::size_t index;
    std::size_t offset;
  };
  std::vector<Gap> gaps_;
  std::size_t textLineCount_ = 0;
};

// The line holding the character at `offset` of the decoded text; an
// offset past the end gives the last line.
std::size_t LineOfOffset(std::u16string_view decoded, std::size_t offset);

}  // namespace texttoxml::check
