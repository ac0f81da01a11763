// The failures of reading a task file in the encoding chosen for it (each
// message gives the reason, then what to do about it), and of reading a
// picture that must not be read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "error.h"

namespace texttoxml::conversion {

// A task file that cannot be read in the chosen encoding.
class EncodingError : public Error {
 protected:
  EncodingError(std::string_view reason, std::string_view advice);
  explicit EncodingError(const std::string& message) : Error(message) {}
};

// A file with a UTF-8 byte order mark holds a byte sequence that is not
// UTF-8; `reason` is the message of the InvalidUtf8Error that says where.
class InvalidMarkedUtf8Error : public EncodingError {
 public:
  explicit InvalidMarkedUtf8Error(std::string_view reason);
};

// A file with a UTF-16 byte order mark read as UTF-8.
class Utf16ReadAsUtf8Error : public EncodingError {
 public:
  explicit Utf16ReadAsUtf8Error(std::string_view reason);
};

// A file without a byte order mark read as UTF-8 that is not UTF-8.
class NotUtf8Error : public EncodingError {
 public:
  explicit NotUtf8Error(std::string_view reason);
};

// A file without a byte order mark that is mostly UTF-8, with a byte that
// is not: `line` (from 1) and `offset` (from 0) say where the first such
// byte is in the file `fullPath`.
class MostlyUtf8Error : public EncodingError {
 public:
  MostlyUtf8Error(std::string_view fullPath, std::size_t line, std::size_t offset);
};

// A file whose bytes look like UTF-16 without a byte order mark; `fullPath`
// names it.
class Utf16WithoutMarkError : public EncodingError {
 public:
  explicit Utf16WithoutMarkError(std::string_view fullPath);
};

// A picture name that leads, directly or through links, to a file of the
// running system; `resolvedPath` is where it leads.
class SystemPictureError : public Error {
 public:
  explicit SystemPictureError(std::string_view resolvedPath);
};

// A file that holds no task text, told by its content: the message says
// what the file is and what to choose instead.
class NotATaskTextError : public Error {
 public:
  // "This is a rich text file (RTF), not a plain task text: ..."
  static NotATaskTextError RichText();
  // "This is a PDF document, not a task text: ..."
  static NotATaskTextError Pdf();
  // "This is a picture (%s), not a task text: ..."
  static NotATaskTextError Picture(std::string_view kind);
  // "This is not a task text: %u of its %u characters are control characters ..."
  static NotATaskTextError ControlCharacters(std::size_t count, std::size_t length);

 private:
  using Error::Error;
};

}  // namespace texttoxml::conversion
