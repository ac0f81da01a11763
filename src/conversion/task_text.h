// Task text from file to task blocks: decoding a task file, the form the
// editable memo shows, and the normalisation that cuts the memo's text into
// one block per task.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace texttoxml::conversion {

// Reads and decodes a whole task file. With `utf8` set the bytes are UTF-8
// (a leading byte order mark dropped). Otherwise a byte order mark picks
// UTF-8, UTF-16 LE or UTF-16 BE, and a file without one is windows-1251.
// Raises FOpenError when the file cannot be read and InvalidUtf8Error when
// bytes taken as UTF-8 are not UTF-8.
std::u16string LoadTaskText(const std::string& path, bool utf8);

// The same decoding of bytes already in memory; `path` only names the file
// in an InvalidUtf8Error.
std::u16string DecodeTaskText(std::string_view bytes, bool utf8, const std::string& path);

// The text as the memo holds it: cut at the first U+0000, every line break
// (CR LF, a lone CR, a lone LF) written as CR LF.
// A text whose line breaks are all CR LF already is returned as it is,
// without a copy.
std::u16string MemoText(std::u16string decoded);

// The memo's text prepared for conversion. The blocks are views into the
// normalised text, so a prepared text is neither copied nor moved.
struct PreparedText {
  explicit PreparedText(std::u16string memoText);
  PreparedText(const PreparedText&) = delete;
  PreparedText& operator=(const PreparedText&) = delete;

  const std::u16string normalised;                // written back into the memo
  const std::vector<std::u16string_view> blocks;  // one per task, in text order
};

// Trims the inner lines, shrinks every run of blank lines to one empty line
// and cuts the result into blocks at each empty line. A blank text gives an
// empty normalised text and no blocks.
PreparedText PrepareTaskText(std::u16string memoText);

}  // namespace texttoxml::conversion
