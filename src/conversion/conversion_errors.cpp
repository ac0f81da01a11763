#include "conversion/conversion_errors.h"

#include <string>

namespace texttoxml::conversion {

EncodingError::EncodingError(std::string_view reason, std::string_view advice)
    : Error(DisplayMessage(reason) + " " + std::string(advice)) {}

InvalidMarkedUtf8Error::InvalidMarkedUtf8Error(std::string_view reason)
    : EncodingError(reason,
                    "The file starts with a UTF-8 byte order mark, yet this byte is not "
                    "UTF-8: open it in an editor, correct the text there and save it "
                    "again as UTF-8") {}

Utf16ReadAsUtf8Error::Utf16ReadAsUtf8Error(std::string_view reason)
    : EncodingError(reason,
                    "The file starts with a UTF-16 byte order mark: read it with "
                    "--encoding auto") {}

NotUtf8Error::NotUtf8Error(std::string_view reason)
    : EncodingError(reason,
                    "The file is not UTF-8: read it with --encoding auto or "
                    "--encoding cp1251 to take it as windows-1251") {}

MostlyUtf8Error::MostlyUtf8Error(std::string_view fullPath, std::size_t line, std::size_t offset)
    : EncodingError("Invalid UTF-8 in file \"" + std::string(fullPath) + "\" at line " +
                    std::to_string(line) + ", byte " + std::to_string(offset) +
                    ", though the rest of the file is UTF-8. Correct that character and save "
                    "the file again as UTF-8, or read it with --encoding cp1251 to take the "
                    "whole file as windows-1251") {}

Utf16WithoutMarkError::Utf16WithoutMarkError(std::string_view fullPath)
    : EncodingError("The file \"" + std::string(fullPath) +
                        "\" looks like UTF-16 without a byte order mark (every other byte "
                        "is zero), which is not read",
                    "Save it again as UTF-16 with a byte order mark (\"UTF-16 LE BOM\" in "
                    "Notepad++, \"UTF-16 LE\" in Windows Notepad) or as UTF-8") {}

SystemPictureError::SystemPictureError(std::string_view resolvedPath)
    : Error("Picture file \"" + std::string(resolvedPath) +
            "\" belongs to the system (under /proc, /sys or /dev); it is never embedded.") {}

NotATaskTextError NotATaskTextError::RichText() {
  return NotATaskTextError(
      "This is a rich text file (RTF), not a plain task text: open it in Word or WordPad, save "
      "it as a Word document (.docx) or as plain text (.txt), and convert that file");
}

NotATaskTextError NotATaskTextError::Pdf() {
  return NotATaskTextError(
      "This is a PDF document, not a task text: convert the Word document or text file it was "
      "made from, or copy its tasks into a plain text file (.txt)");
}

NotATaskTextError NotATaskTextError::Picture(std::string_view kind) {
  return NotATaskTextError("This is a picture (" + std::string(kind) +
                           "), not a task text: convert the task text (.txt) or Word document "
                           "(.docx) that names it, with the picture beside it");
}

NotATaskTextError NotATaskTextError::ControlCharacters(std::size_t count, std::size_t length) {
  return NotATaskTextError("This is not a task text: " + std::to_string(count) + " of its " +
                           std::to_string(length) +
                           " characters are control characters, as in a program or a data "
                           "file; choose the task text (.txt) or Word document (.docx) instead");
}

}  // namespace texttoxml::conversion
