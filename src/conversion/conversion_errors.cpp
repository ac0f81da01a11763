#include "conversion/conversion_errors.h"

#include <string>

#include "platform/translate.h"

namespace texttoxml::conversion {

using platform::Format;
using platform::InQuotes;
using platform::Tr;

namespace {

// Advice in the terms of the controls at hand: the command line's options,
// or the page's encoding list.
std::string_view ForControls(std::string_view commandLine, std::string_view page) {
  return platform::CurrentControls() == platform::Controls::Page ? page : commandLine;
}

}  // namespace

EncodingError::EncodingError(std::string_view reason, std::string_view advice)
    : Error(DisplayMessage(reason) + " " + std::string(advice)) {}

InvalidMarkedUtf8Error::InvalidMarkedUtf8Error(std::string_view reason)
    : EncodingError(reason, Tr("The file starts with a UTF-8 byte order mark, yet this byte is "
                               "not UTF-8: open it in an editor, correct the text there and save "
                               "it again as UTF-8")) {}

Utf16ReadAsUtf8Error::Utf16ReadAsUtf8Error(std::string_view reason)
    : EncodingError(reason, ForControls(Tr("The file starts with a UTF-16 byte order mark: read "
                                           "it with --encoding auto"),
                                        Tr("The file starts with a UTF-16 byte order mark: "
                                           "choose \"detect automatically\" in the Encoding "
                                           "list"))) {}

NotUtf8Error::NotUtf8Error(std::string_view reason)
    : EncodingError(reason, ForControls(Tr("The file is not UTF-8: read it with --encoding auto "
                                           "or --encoding cp1251 to take it as windows-1251"),
                                        Tr("The file is not UTF-8: choose \"detect "
                                           "automatically\" or \"windows-1251\" in the Encoding "
                                           "list"))) {}

MostlyUtf8Error::MostlyUtf8Error(std::string_view fullPath, std::size_t line, std::size_t offset)
    : EncodingError(
          Format(Tr("Invalid UTF-8 in file {1} at line {2}, byte {3}, though the rest of the "
                    "file is UTF-8"),
                 {InQuotes(fullPath), std::to_string(line), std::to_string(offset)}),
          ForControls(Tr("Correct that character and save the file again as UTF-8, or read it "
                         "with --encoding cp1251 to take the whole file as windows-1251"),
                      Tr("Correct that character and save the file again as UTF-8, or choose "
                         "\"windows-1251\" in the Encoding list to take the whole file as "
                         "windows-1251"))) {}

Utf16WithoutMarkError::Utf16WithoutMarkError(std::string_view fullPath)
    : EncodingError(Format(Tr("The file {1} looks like UTF-16 without a byte order mark (every "
                              "other byte is zero), which is not read"),
                           {InQuotes(fullPath)}),
                    Tr("Save it again as UTF-16 with a byte order mark (\"UTF-16 LE BOM\" in "
                       "Notepad++, \"UTF-16 LE\" in Windows Notepad) or as UTF-8")) {}

SystemPictureError::SystemPictureError(std::string_view resolvedPath)
    : Error(Format(Tr("Picture file {1} belongs to the system (under /proc, /sys or /dev); it is "
                      "never embedded."),
                   {InQuotes(resolvedPath)})) {}

NotATaskTextError NotATaskTextError::RichText() {
  return NotATaskTextError(
      Tr("This is a rich text file (RTF), not a plain task text: open it in Word or WordPad, "
         "save it as a Word document (.docx) or as plain text (.txt), and convert that file"));
}

NotATaskTextError NotATaskTextError::Pdf() {
  return NotATaskTextError(
      Tr("This is a PDF document, not a task text: convert the Word document or text file it "
         "was made from, or copy its tasks into a plain text file (.txt)"));
}

NotATaskTextError NotATaskTextError::Picture(std::string_view kind) {
  return NotATaskTextError(Format(Tr("This is a picture ({1}), not a task text: convert the task "
                                     "text (.txt) or Word document (.docx) that names it, with "
                                     "the picture beside it"),
                                  {kind}));
}

NotATaskTextError NotATaskTextError::ControlCharacters(std::size_t count, std::size_t length) {
  return NotATaskTextError(Format(Tr("This is not a task text: {1} of its {2} characters are "
                                     "control characters, as in a program or a data file; choose "
                                     "the task text (.txt) or Word document (.docx) instead"),
                                  {std::to_string(count), std::to_string(length)}));
}

}  // namespace texttoxml::conversion
