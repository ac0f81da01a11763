// The input and output files of the commands.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/cli_errors.h"
#include "cli/options.h"
#include "conversion/text_encoding.h"
#include "docx/word_document.h"
#include "error.h"
#include "platform/files.h"
#include "platform/held_files.h"

namespace texttoxml::cli {

// What a Word document holds beside its task text.
struct DocumentParts {
  std::map<std::string, platform::HeldFileContent> pictures;  // by the name the text gives
  std::vector<docx::LineOrigin> lines;  // where each line of the text comes from
  std::vector<docx::Fact> facts;
};

// A task text file (or a Word document), read and decoded.
struct InputText {
  std::string fullPath;                   // absolute: the group title and error messages use it
  std::string dir;                        // its folder, where picture names are also looked for
  std::u16string decoded;                 // the whole text, as the window would load it
  std::string encoding;                   // what it was read as, e.g. "UTF-8"
  std::optional<DocumentParts> document;  // only for a Word document
};

// Raises what reading raises: a file that cannot be opened, bytes that
// cannot be read in `encoding`, a Word document that cannot be read, a file
// that holds no task text (RTF, PDF, a picture, a binary file). A ZIP
// archive or an OLE compound file is read as a Word document (.docx),
// whatever its name.
InputText ReadInput(const std::string& path, conversion::TextEncoding encoding);

// Runs `work`, a command's work on `input`; when memory runs out in it,
// raises `shortage(input, the input's size)` instead ("Not enough memory to
// check ..."), so that the user learns what was too much for the machine.
template <class Work>
auto NamingMemoryShortage(const std::string& input,
                          OutOfMemoryError (*shortage)(std::string_view, std::uint64_t),
                          Work&& work) -> decltype(work()) {
  return RaisingOnOutOfMemory(std::forward<Work>(work), [&] {
    return shortage(input, platform::FileSize(input).value_or(0));
  });
}

// The pictures of a Word document, held where the text's picture names
// find them while the result lives; nothing for a text file.
std::optional<platform::HeldFiles> HoldPictures(InputText& text);

// The paragraph of a Word document that a line of its text comes from;
// null for a text file.
const docx::LineOrigin* OriginOf(const InputText& text, std::size_t line);

// Where a line of the input stands, as messages begin: "tasks.txt:12" for
// a text file, "test.docx: paragraph 7 (\"first words\")" for a document.
std::string PlaceOf(const std::string& input, std::size_t line, const InputText& text);

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
// inputs that would write one file (a.txt and a.text, or one folder through
// a bind mount, or A.xml and a.xml on a FAT stick) raise
// OutputTakenTwiceError. "-" (standard output) is never checked.
void RefuseSharedOutputs(const std::vector<std::string>& inputs,
                         const std::vector<std::string>& outputs);

}  // namespace texttoxml::cli
