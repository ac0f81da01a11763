#include "pictures/picture_errors.h"

#include <string>

namespace texttoxml {

ConvertError::ConvertError(std::string_view sourceClass, std::string_view targetClass)
    : Error("Cannot assign a " + std::string(sourceClass) + " to a " + std::string(targetClass)) {}

GifException::GifException(std::string_view message) : InvalidGraphicError(std::string(message)) {}

GifPrematureEndError::GifPrematureEndError() : GifException(kGifPrematureEnd) {}

GifInvalidDataError::GifInvalidDataError() : GifException("Invalid GIF data") {}

GifInvalidSignatureError::GifInvalidSignatureError() : GifException("Invalid GIF signature") {}

GifUnknownExtensionError::GifUnknownExtensionError() : GifException("Unknown extension type") {}

GifApplicationBlockSizeError::GifApplicationBlockSizeError()
    : GifException("Unsupported Application Extension block size") {}

GifTooManyColorsError::GifTooManyColorsError() : GifException("Too many colors in color map") {}

GifCircularEntryError::GifCircularEntryError() : GifException("Circular decoder table entry") {}

GifEmptySaveError::GifEmptySaveError() : GifException("Cannot save empty GIF") {}

GifColorNotInTableError::GifColorNotInTableError() : GifException("Color not in color table") {}

InvalidBitmapError::InvalidBitmapError() : InvalidGraphicError("Bitmap image is not valid") {}

InvalidImageError::InvalidImageError() : InvalidGraphicError("Invalid image") {}

UnknownPictureExtensionError::UnknownPictureExtensionError(std::string_view extension)
    : InvalidGraphicError("Unknown picture file extension (." + std::string(extension) + ")") {}

InvalidIconError::InvalidIconError() : InvalidGraphicError("Icon image is not valid") {}

InvalidMetafileError::InvalidMetafileError() : InvalidGraphicError("Metafile is not valid") {}

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
    : PngError(
          "Could not decompress the image because it contains invalid "
          "compressed data.\r\n Description: " +
          ZlibCodeText(zlibCode)) {}

PngNoImageDataError::PngNoImageDataError()
    : PngError("This \"Portable Network Graphics\" image contains no data.") {}

PngInvalidFormatError::PngInvalidFormatError(int colorType, int bitDepth)
    : PngError(
          "This \"Portable Network Graphics\" image has an invalid combination "
          "of color type " +
          std::to_string(colorType) + " and bit depth " + std::to_string(bitDepth) + ".") {}

PngUnknownFilterError::PngUnknownFilterError(int filterType)
    : PngError(
          "This \"Portable Network Graphics\" image uses an unknown row filter "
          "type (" +
          std::to_string(filterType) + ").") {}

PngIncompatibleChunksError::PngIncompatibleChunksError()
    : PngError("The chunks must be compatible to be assigned.") {}

ImageTooLargeError::ImageTooLargeError(unsigned long long width, unsigned long long height,
                                       unsigned long long limitPixels)
    : InvalidGraphicError("Image is too large (" + std::to_string(width) + " x " +
                          std::to_string(height) + " pixels). The limit is " +
                          std::to_string(limitPixels) + " pixels at this colour depth.") {}

PictureFileTooLargeError::PictureFileTooLargeError(std::string_view role, std::string_view path,
                                                   unsigned long long size,
                                                   unsigned long long limit)
    : Error(std::string(role) + " \"" + std::string(path) + "\" is too large (" +
            std::to_string(size) + " bytes). The limit is " + std::to_string(limit) + " bytes (" +
            std::to_string(limit >> 20) + " MiB).") {}

QuestionPictureTooLargeError::QuestionPictureTooLargeError(std::string_view path,
                                                           unsigned long long size,
                                                           unsigned long long limit)
    : PictureFileTooLargeError("Question picture", path, size, limit) {}

VariantPictureTooLargeError::VariantPictureTooLargeError(std::string_view path,
                                                         unsigned long long size,
                                                         unsigned long long limit)
    : PictureFileTooLargeError("Picture variant", path, size, limit) {}

JpegError::JpegError(int messageCode) : Error("JPEG error #" + std::to_string(messageCode)) {}

}  // namespace texttoxml
