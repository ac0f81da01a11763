// The input and output files of the commands.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_errors.h"
#include "cli/options.h"
#include "conversion/text_encoding.h"

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

// The file an input becomes under the options: the named output, else the
// input's name with `extension` in the output folder, else beside the input;
// `extension` (".xml", ".html") replaces the input's own, or is appended
// when it has none.
std::string OutputPathOf(const Options& options, const std::string& input,
                         std::string_view extension);

// Raises OutputIsInputError or OutputIsPictureError when `output` is the
// input file or one of `pictures`, by any path (a link, "/proc/self/cwd/").
void RefuseOutputOverSources(const std::string& output, const InputText& input,
                             const std::vector<std::string>& pictures);

// The output each input becomes, checked before anything is written: two
// inputs that would write one file (a.txt and a.text) raise
// OutputTakenTwiceError. "-" (standard output) is never checked.
void RefuseSharedOutputs(const std::vector<std::string>& inputs,
                         const std::vector<std::string>& outputs);

}  // namespace texttoxml::cli
