#include "platform/platform_errors.h"

#include <cstring>
#include <string>

#include "platform/utf.h"

namespace texttoxml {

namespace {

std::string Quoted(std::string_view prefix, std::string_view path, std::string_view cause) {
  std::string message(prefix);
  message += " \"";
  message += path;
  message += "\". ";
  message += cause;
  return message;
}

}  // namespace

FOpenError::FOpenError(std::string_view path, std::string_view cause)
    : Error(Quoted("Cannot open file", path, cause)) {}

FCreateError::FCreateError(std::string_view path, std::string_view cause)
    : Error(Quoted("Cannot create file", path, cause)) {}

TemporaryFileError::TemporaryFileError(std::string_view folder, std::string_view cause)
    : Error(Quoted("Cannot create a temporary file in", folder, cause) +
            ". Set TMPDIR to a folder with room to hold the output") {}

ClosedDescriptorError::ClosedDescriptorError(std::string_view path, int descriptor)
    : Error("Cannot write to \"" + std::string(path) + "\": descriptor " +
            std::to_string(descriptor) + " is not open. Name an output file instead") {}

WriteError::WriteError() : Error("Stream write error") {}

ReadError::ReadError() : Error("Stream read error") {}

InvalidUtf8Error::InvalidUtf8Error(std::string_view path, std::size_t offset)
    : Error("Invalid UTF-8 in file \"" + std::string(path) + "\" at byte " +
            std::to_string(offset)) {}

CodePageError::CodePageError(char32_t character, std::string_view codePage)
    : Error("Character " + platform::CodePointText(character) + " cannot be written in code page " +
            std::string(codePage)) {}

GuidError::GuidError(int cause)
    : Error(std::string("Cannot generate a GUID. ") + std::strerror(cause)) {}

}  // namespace texttoxml
