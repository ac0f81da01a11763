// The one exception hierarchy of the system. Every error carries the exact
// message that the front ends show; the constructors build it, so that a
// message text lives in one place only.
#pragma once

#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

namespace texttoxml {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

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

// A misuse of the XML node tree; the message names the refused operation.
class XmlError : public Error {
 public:
  using Error::Error;
};

// "Cannot assign a %s to a %s".
class ConvertError : public Error {
 public:
  ConvertError(std::string_view sourceClass, std::string_view targetClass);
};

// A picture that its graphic kind cannot take; the message says which.
class InvalidGraphicError : public Error {
 public:
  using Error::Error;
};

// The message as the user sees it: a full stop is appended when the last
// character is above "." in code order, so "...file" gets one and "...)" or
// "...!" does not.
std::string DisplayMessage(std::string_view message);

// A GIF that cannot be read or written; the message says why, e.g.
// "Invalid GIF signature" or "Color not in color table".
class GifException : public InvalidGraphicError {
 public:
  explicit GifException(std::string_view message);
};

// A PNG that cannot be read or a PNG graphic that cannot be copied. The
// classes below name each reading failure; their messages are fixed texts.
class PngError : public InvalidGraphicError {
 public:
  using InvalidGraphicError::InvalidGraphicError;
};

class PngInvalidFileHeaderError : public PngError {
 public:
  PngInvalidFileHeaderError();
};

class PngIhdrNotFirstError : public PngError {
 public:
  PngIhdrNotFirstError();
};

class PngUnexpectedEndError : public PngError {
 public:
  PngUnexpectedEndError();
};

class PngInvalidCrcError : public PngError {
 public:
  PngInvalidCrcError();
};

class PngInvalidIhdrError : public PngError {
 public:
  PngInvalidIhdrError();
};

class PngSizeExceedsError : public PngError {
 public:
  PngSizeExceedsError();
};

class PngUnknownCompressionError : public PngError {
 public:
  PngUnknownCompressionError();
};

class PngUnknownInterlaceError : public PngError {
 public:
  PngUnknownInterlaceError();
};

class PngInvalidPaletteError : public PngError {
 public:
  PngInvalidPaletteError();
};

class PngUnknownCriticalChunkError : public PngError {
 public:
  PngUnknownCriticalChunkError();
};

class PngMissingMultipleIdatError : public PngError {
 public:
  PngMissingMultipleIdatError();
};

// Invalid compressed image data; `zlibCode` is the negative zlib result.
class PngZlibError : public PngError {
 public:
  explicit PngZlibError(int zlibCode);
};

class PngNoImageDataError : public PngError {
 public:
  PngNoImageDataError();
};

// A picture whose decoded pixels would exceed the limit:
// "Image is too large (%u x %u pixels). The limit is %u pixels at this
// colour depth." The limit is one of bytes, so `limitPixels` is what it
// allows at the picture's own bytes per pixel.
class ImageTooLargeError : public InvalidGraphicError {
 public:
  ImageTooLargeError(unsigned long long width, unsigned long long height,
                     unsigned long long limitPixels);
};

// A question picture file above the limit on embedded files: "Question
// picture "%s" is too large (%u bytes). The limit is %u bytes (%u MiB)."
class QuestionPictureTooLargeError : public Error {
 public:
  QuestionPictureTooLargeError(std::string_view path, unsigned long long size,
                               unsigned long long limit);
};

// Memory ran out. The message says what was being read or built when it
// did, so that the user learns which file was too much for the machine.
class OutOfMemoryError : public Error {
 public:
  // "Not enough memory to read picture "%s""
  static OutOfMemoryError ReadingPicture(std::string_view path);
  // "Not enough memory to read text file "%s""
  static OutOfMemoryError ReadingText(std::string_view path);
  // "Not enough memory to build the test document"
  static OutOfMemoryError BuildingDocument();
  // "Not enough memory to write the XML document"
  static OutOfMemoryError WritingXmlDocument();

 private:
  using Error::Error;
};

// Runs `work` and returns what it returns; when memory runs out in it,
// raises `makeError()` instead.
template <class Work, class MakeError>
auto RaisingOnOutOfMemory(Work&& work, MakeError&& makeError) -> decltype(work()) {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    throw makeError();
  }
}

// The JPEG library refused a file: "JPEG error #%d" with its message code.
class JpegError : public Error {
 public:
  explicit JpegError(int messageCode);
};

}  // namespace texttoxml
