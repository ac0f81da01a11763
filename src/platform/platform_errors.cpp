#include "platform/platform_errors.h"

#include <cstring>
#include <string>

#include "platform/translate.h"
#include "platform/utf.h"

namespace texttoxml {

using platform::Format;
using platform::InQuotes;
using platform::Tr;

FOpenError::FOpenError(std::string_view path, std::string_view cause)
    : Error(Format(Tr("Cannot open file {1}. {2}"), {InQuotes(path), cause})) {}

FCreateError::FCreateError(std::string_view path, std::string_view cause)
    : Error(Format(Tr("Cannot create file {1}. {2}"), {InQuotes(path), cause})) {}

TemporaryFileError::TemporaryFileError(std::string_view folder, std::string_view cause)
    : Error(Format(Tr("Cannot create a temporary file in {1}. {2}. Set TMPDIR to a folder with "
                      "room to hold the output"),
                   {InQuotes(folder), cause})) {}

ClosedDescriptorError::ClosedDescriptorError(std::string_view path, int descriptor)
    : Error(Format(Tr("Cannot write to {1}: descriptor {2} is not open. Name an output file "
                      "instead"),
                   {InQuotes(path), std::to_string(descriptor)})) {}

WriteError::WriteError() : Error(Tr("Stream write error")) {}

ReadError::ReadError() : Error(Tr("Stream read error")) {}

InvalidUtf8Error::InvalidUtf8Error(std::string_view path, std::size_t offset)
    : Error(Format(Tr("Invalid UTF-8 in file {1} at byte {2}"),
                   {InQuotes(path), std::to_string(offset)})) {}

CodePageError::CodePageError(char32_t character, std::string_view codePage)
    : Error(Format(Tr("Character {1} cannot be written in code page {2}"),
                   {platform::CodePointText(character), codePage})) {}

GuidError::GuidError(int cause)
    : Error(std::string("Cannot generate a GUID. ") + std::strerror(cause)) {}

}  // namespace texttoxml
