#include "pictures/picture_errors.h"

#include <string>

#include "platform/translate.h"

namespace texttoxml {

using platform::Format;
using platform::Tr;

ConvertError::ConvertError(std::string_view sourceClass, std::string_view targetClass)
    : Error(Format(Tr("Cannot assign a {1} to a {2}"), {sourceClass, targetClass})) {}

GifException::GifException(std::string_view message) : InvalidGraphicError(message) {}

GifPrematureEndError::GifPrematureEndError() : GifException(Tr(kGifPrematureEnd)) {}

GifInvalidDataError::GifInvalidDataError() : GifException(Tr("Invalid GIF data")) {}

GifInvalidSignatureError::GifInvalidSignatureError() : GifException(Tr("Invalid GIF signature")) {}

GifUnknownExtensionError::GifUnknownExtensionError() : GifException(Tr("Unknown extension type")) {}

GifApplicationBlockSizeError::GifApplicationBlockSizeError()
    : GifException(Tr("Unsupported Application Extension block size")) {}

GifTooManyColorsError::GifTooManyColorsError() : GifException(Tr("Too many colors in color map")) {}

GifCircularEntryError::GifCircularEntryError() : GifException(Tr("Circular decoder table entry")) {}

GifEmptySaveError::GifEmptySaveError() : GifException(Tr("Cannot save empty GIF")) {}

GifColorNotInTableError::GifColorNotInTableError() : GifException(Tr("Color not in color table")) {}

InvalidBitmapError::InvalidBitmapError() : InvalidGraphicError(Tr("Bitmap image is not valid")) {}

InvalidImageError::InvalidImageError() : InvalidGraphicError(Tr("Invalid image")) {}

UnknownPictureExtensionError::UnknownPictureExtensionError(std::string_view extension)
    : InvalidGraphicError(Format(Tr("Unknown picture file extension (.{1})"), {extension})) {}

InvalidIconError::InvalidIconError() : InvalidGraphicError(Tr("Icon image is not valid")) {}

InvalidMetafileError::InvalidMetafileError() : InvalidGraphicError(Tr("Metafile is not valid")) {}

PngInvalidFileHeaderError::PngInvalidFileHeaderError()
    : PngError(Tr("The file being read is not a valid \"Portable Network Graphics\" "
                  "image because it contains an invalid header. This file may be "
                  "corrupted, try obtaining it again")) {}

PngIhdrNotFirstError::PngIhdrNotFirstError()
    : PngError(std::string(Tr("This \"Portable Network Graphics\" image is not supported or it "
                              "might be invalid.")) +
               "\r\n" + std::string(Tr("(IHDR chunk is not the first)"))) {}

PngUnexpectedEndError::PngUnexpectedEndError()
    : PngError(Tr("This \"Portable Network Graphics\" image is invalid because the "
                  "decoder found an unexpected end of the file.")) {}

PngInvalidCrcError::PngInvalidCrcError()
    : PngError(Tr("This \"Portable Network Graphics\" image is not valid because it "
                  "contains invalid pieces of data (crc error)")) {}

PngInvalidIhdrError::PngInvalidIhdrError()
    : PngError(Tr("The \"Portable Network Graphics\" image could not be loaded because "
                  "one of its main piece of data (ihdr) might be corrupted")) {}

PngSizeExceedsError::PngSizeExceedsError()
    : PngError(Tr("This \"Portable Network Graphics\" image is not supported because "
                  "either its width or height exceeds the maximum size of 65535 "
                  "pixels.")) {}

PngUnknownCompressionError::PngUnknownCompressionError()
    : PngError(Tr("This \"Portable Network Graphics\" image is encoded with an unknown "
                  "compression scheme which could not be decoded.")) {}

PngUnknownInterlaceError::PngUnknownInterlaceError()
    : PngError(Tr("This \"Portable Network Graphics\" image uses an unknown interlace "
                  "scheme which could not be decoded.")) {}

PngInvalidPaletteError::PngInvalidPaletteError()
    : PngError(Tr("The \"Portable Network Graphics\" image contains an invalid "
                  "palette.")) {}

PngUnknownCriticalChunkError::PngUnknownCriticalChunkError()
    : PngError(Tr("This \"Portable Network Graphics\" image contains an unknown "
                  "critical part which could not be decoded.")) {}

PngMissingMultipleIdatError::PngMissingMultipleIdatError()
    : PngError(Tr("This \"Portable Network Graphics\" image is invalid because it has "
                  "missing image parts.")) {}

namespace {

std::string ZlibCodeText(int code) {
  switch (code) {
    case -1:
      return "file error (-1)";
    case -2:
      return "stream error (-2)";
    case -3:
      return "data error (-3)";
    case -4:
      return "insufficient memory (-4)";
    case -5:
      return "buffer error (-5)";
    case -6:
      return "incompatible version (-6)";
    default:
      return "unknown error (" + std::to_string(code) + ")";
  }
}

}  // namespace

PngZlibError::PngZlibError(int zlibCode)
    : PngError(std::string(Tr("Could not decompress the image because it contains invalid "
                              "compressed data.")) +
               "\r\n " + Format(Tr("Description: {1}"), {ZlibCodeText(zlibCode)})) {}

PngNoImageDataError::PngNoImageDataError()
    : PngError(Tr("This \"Portable Network Graphics\" image contains no data.")) {}

PngInvalidFormatError::PngInvalidFormatError(int colorType, int bitDepth)
    : PngError(Format(Tr("This \"Portable Network Graphics\" image has an invalid combination of "
                         "color type {1} and bit depth {2}."),
                      {std::to_string(colorType), std::to_string(bitDepth)})) {}

PngUnknownFilterError::PngUnknownFilterError(int filterType)
    : PngError(Format(Tr("This \"Portable Network Graphics\" image uses an unknown row filter "
                         "type ({1})."),
                      {std::to_string(filterType)})) {}

PngIncompatibleChunksError::PngIncompatibleChunksError()
    : PngError(Tr("The chunks must be compatible to be assigned.")) {}

ImageTooLargeError::ImageTooLargeError(unsigned long long width, unsigned long long height,
                                       unsigned long long limitPixels)
    : InvalidGraphicError(
          Format(Tr("Image is too large ({1} x {2} pixels). The limit is {3} "
                    "pixels at this colour depth."),
                 {std::to_string(width), std::to_string(height), std::to_string(limitPixels)})) {}

PictureFileTooLargeError::PictureFileTooLargeError(std::string_view role, std::string_view path,
                                                   unsigned long long size,
                                                   unsigned long long limit)
    : Error(Format(Tr("{1} {2} is too large ({3} bytes). The limit is {4} bytes ({5} MiB)."),
                   {role, platform::InQuotes(path), std::to_string(size), std::to_string(limit),
                    std::to_string(limit >> 20)})) {}

QuestionPictureTooLargeError::QuestionPictureTooLargeError(std::string_view path,
                                                           unsigned long long size,
                                                           unsigned long long limit)
    : PictureFileTooLargeError(Tr("Question picture"), path, size, limit) {}

VariantPictureTooLargeError::VariantPictureTooLargeError(std::string_view path,
                                                         unsigned long long size,
                                                         unsigned long long limit)
    : PictureFileTooLargeError(Tr("Picture variant"), path, size, limit) {}

JpegError::JpegError(int messageCode)
    : Error(Format(Tr("JPEG error #{1}"), {std::to_string(messageCode)})) {}

}  // namespace texttoxml
