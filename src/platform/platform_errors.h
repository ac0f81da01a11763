// The failures of files, streams and text encodings, which every subsystem
// above the platform meets when it reads or writes.
#pragma once

#include <cstddef>
#include <string_view>

#include "error.h"

namespace texttoxml {

// A file could not be opened for reading: "Cannot open file "%s". %s".
class FOpenError : public Error {
 public:
  FOpenError(std::string_view path, std::string_view cause);
};

// A file could not be created for writing: "Cannot create file "%s". %s".
class FCreateError : public Error {
 public:
  FCreateError(std::string_view path, std::string_view cause);
};

// A document that must be held until it is whole found no place to be held:
// "Cannot create a temporary file in "%s". %s. Set TMPDIR to a folder with
// room to hold the output".
class TemporaryFileError : public Error {
 public:
  TemporaryFileError(std::string_view folder, std::string_view cause);
};

// An output named after one of our descriptors (/dev/stdout, /dev/fd/3)
// that is not open: "Cannot write to "%s": descriptor %d is not open.
// Name an output file instead".
class ClosedDescriptorError : public Error {
 public:
  ClosedDescriptorError(std::string_view path, int descriptor);
};

// The target took none of the bytes handed to it: "Stream write error".
class WriteError : public Error {
 public:
  WriteError();
};

// A stream ended inside something that must be read whole: "Stream read error".
class ReadError : public Error {
 public:
  ReadError();
};

// A task file opened as UTF-8 holds a byte sequence that is not UTF-8.
class InvalidUtf8Error : public Error {
 public:
  InvalidUtf8Error(std::string_view path, std::size_t offset);
};

// A character that the ANSI code page cannot represent.
class CodePageError : public Error {
 public:
  CodePageError(char32_t character, std::string_view codePage);
};

// The system gave no random bytes for a GUID: "Cannot generate a GUID. %s",
// with the system's text for `cause`, an errno value.
class GuidError : public Error {
 public:
  explicit GuidError(int cause);
};

}  // namespace texttoxml
