// The input and output files of the commands.
#pragma once

#include <string>
#include <string_view>

#include "conversion/text_encoding.h"
#include "error.h"

namespace texttoxml::cli {

// A task text file, read and decoded.
struct InputText {
  std::string fullPath;   // absolute: the group title and error messages use it
  std::string dir;        // its folder, where picture names are also looked for
  std::u16string decoded;  // the whole text, as the window would load it
  std::string encoding;    // what it was read as, e.g. "UTF-8"
};

// Raises what reading raises: a file that cannot be opened, or bytes that
// cannot be read in `encoding`.
InputText ReadInput(const std::string& path, conversion::TextEncoding encoding);

// The file an input becomes when no output is named: its extension replaced
// by `extension` (".xml", ".html"), or `extension` appended when it has none.
std::string OutputPathFor(const std::string& input, std::string_view extension);

// Raised instead of writing over the input file.
class OutputIsInputError : public Error {
 public:
  OutputIsInputError() : Error("The output file would replace the input file") {}
};

}  // namespace texttoxml::cli
