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
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace texttoxml::conversion {

class LineMap {
 public:
  explicit LineMap(std::u16string_view decoded);

  // The line holding the character at `offset` of the decoded text; an
  // offset past the end gives the last line.
  std::size_t LineOfOffset(std::size_t offset) const;

  // The line of the `index`-th line (from 0) of all prepared blocks taken in
  // order.
  std::size_t LineOfPreparedLine(std::size_t index) const;

  // How many lines hold text, before any U+0000 cuts the text.
  std::size_t TextLineCount() const { return textLines_.size(); }

 private:
  std::vector<std::size_t> lineStarts_;  // offset where each line begins
  std::vector<std::size_t> textLines_;   // number of each line holding text
};

// How many lines a prepared block holds: its lines are joined with CR LF
// and none is empty.
std::size_t PreparedLineCount(std::u16string_view block);

// The line that names a picture in block `block` of the prepared blocks,
// counted from 0 over the lines of all blocks (for LineOfPreparedLine): its
// question picture line when `variant` is empty, else the line where that
// answer variant begins.
std::size_t PreparedLineOfPicture(std::span<const std::u16string_view> blocks, std::size_t block,
                                  std::optional<std::size_t> variant);

}  // namespace texttoxml::conversion
