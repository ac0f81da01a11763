#include "error.h"

#include <cstdio>

namespace texttoxml {

namespace {

std::string Quoted(std::string_view prefix, std::string_view path,
                   std::string_view cause) {
  std::string message(prefix);
  message += " \"";
  message += path;
  message += "\". ";
  message += cause;
  return message;
}

std::string CodePointText(char32_t c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
  return buffer;
}

}  // namespace

FOpenError::FOpenError(std::string_view path, std::string_view cause)
    : Error(Quoted("Cannot open file", path, cause)) {}

FCreateError::FCreateError(std::string_view path, std::string_view cause)
    : Error(Quoted("Cannot create file", path, cause)) {}

WriteError::WriteError() : Error("Stream write error") {}

ReadError::ReadError() : Error("Stream read error") {}

InvalidUtf8Error::InvalidUtf8Error(std::string_view path, std::size_t offset)
    : Error("Invalid UTF-8 in file \"" + std::string(path) + "\" at byte " +
            std::to_string(offset)) {}

CodePageError::CodePageError(char32_t character, std::string_view codePage)
    : Error("Character " + CodePointText(character) +
            " cannot be written in code page " + std::string(codePage)) {}

ConvertError::ConvertError(std::string_view sourceClass,
                           std::string_view targetClass)
    : Error("Cannot assign a " + std::string(sourceClass) + " to a " +
            std::string(targetClass)) {}

std::string DisplayMessage(std::string_view message) {
  std::string shown(message);
  if (!shown.empty() && static_cast<unsigned char>(shown.back()) > '.') shown += '.';
  return shown;
}

GifException::GifException(std::string_view message)
    : InvalidGraphicError(std::string(message)) {}

PngInvalidFileHeaderError::PngInvalidFileHeaderError()
    : PngError(
          "The file being read is not a valid \"Portable Network Graphics\" "
          "image because it contains an invalid header. This file may be "
          "corrupted, try obtaining it again") {}

PngIhdrNotFirstError::PngIhdrNotFirstError()
    : PngError(
          "This \"Portable Network Graphics\" image is not supported or it "
          "might be invalid.\r\n(IHDR chunk is not the first)") {}

PngUnexpectedEndError::PngUnexpectedEndError()
    : PngError(
          "This \"Portable Network Graphics\" image is invalid because the "
          "decoder found an unexpected end of the file.") {}

PngInvalidCrcError::PngInvalidCrcError()
    : PngError(
          "This \"Portable Network Graphics\" image is not valid because it "
          "contains invalid pieces of data (crc error)") {}

PngInvalidIhdrError::PngInvalidIhdrError()
    : PngError(
          "The \"Portable Network Graphics\" image could not be loaded because "
          "one of its main piece of data (ihdr) might be corrupted") {}

PngSizeExceedsError::PngSizeExceedsError()
    : PngError(
          "This \"Portable Network Graphics\" image is not supported because "
          "either its width or height exceeds the maximum size of 65535 "
          "pixels.") {}

PngUnknownCompressionError::PngUnknownCompressionError()
    : PngError(
          "This \"Portable Network Graphics\" image is encoded with an unknown "
          "compression scheme which could not be decoded.") {}

PngUnknownInterlaceError::PngUnknownInterlaceError()
    : PngError(
          "This \"Portable Network Graphics\" image uses an unknown interlace "
          "scheme which could not be decoded.") {}

PngInvalidPaletteError::PngInvalidPaletteError()
    : PngError(
          "The \"Portable Network Graphics\" image contains an invalid "
          "palette.") {}

PngUnknownCriticalChunkError::PngUnknownCriticalChunkError()
    : PngError(
          "This \"Portable Network Graphics\" image contains an unknown "
          "critical part which could not be decoded.") {}

PngMissingMultipleIdatError::PngMissingMultipleIdatError()
    : PngError(
          "This \"Portable Network Graphics\" image is invalid because it has "
          "missing image parts.") {}

namespace {

std::string ZlibCodeText(int code) {
  switch (code) {
    case -1: return "file error (-1)";
    case -2: return "stream error (-2)";
    case -3: return "data error (-3)";
    case -4: return "insufficient memory (-4)";
    case -5: return "buffer error (-5)";
    case -6: return "incompatible version (-6)";
    default: return "unknown error (" + std::to_string(code) + ")";
  }
}

}  // namespace

PngZlibError::PngZlibError(int zlibCode)
    : PngError(
          "Could not decompress the image because it contains invalid "
          "compressed data.\r\n Description: " +
          ZlibCodeText(zlibCode)) {}

PngNoImageDataError::PngNoImageDataError()
    : PngError(
          "This \"Portable Network Graphics\" image contains no data.") {}

ImageTooLargeError::ImageTooLargeError(unsigned long long width,
                                       unsigned long long height,
                                       unsigned long long limitPixels)
    : InvalidGraphicError("Image is too large (" + std::to_string(width) +
                          " x " + std::to_string(height) + " pixels). The limit is " +
                          std::to_string(limitPixels) + " pixels at this colour depth.") {}

QuestionPictureTooLargeError::QuestionPictureTooLargeError(std::string_view path,
                                                           unsigned long long size,
                                                           unsigned long long limit)
    : Error("Question picture \"" + std::string(path) + "\" is too large (" +
            std::to_string(size) + " bytes). The limit is " + std::to_string(limit) +
            " bytes (" + std::to_string(limit >> 20) + " MiB).") {}

OutOfMemoryError OutOfMemoryError::ReadingPicture(std::string_view path) {
  return OutOfMemoryError("Not enough memory to read picture \"" + std::string(path) + "\"");
}

OutOfMemoryError OutOfMemoryError::ReadingText(std::string_view path) {
  return OutOfMemoryError("Not enough memory to read text file \"" + std::string(path) + "\"");
}

OutOfMemoryError OutOfMemoryError::BuildingDocument() {
  return OutOfMemoryError("Not enough memory to build the test document");
}

OutOfMemoryError OutOfMemoryError::WritingXmlDocument() {
  return OutOfMemoryError("Not enough memory to write the XML document");
}

JpegError::JpegError(int messageCode)
    : Error("JPEG error #" + std::to_string(messageCode)) {}

}  // namespace texttoxml
