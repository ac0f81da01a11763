// The failures of reading, converting and writing pictures. Their messages
// are fixed English texts.
#pragma once

#include <string_view>

#include "error.h"
#include "platform/translate.h"

namespace texttoxml {

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

// A bitmap file whose headers are wrong, or a bitmap that the platform or the
// PNG conversion refuses: "Bitmap image is not valid".
class InvalidBitmapError : public InvalidGraphicError {
 public:
  InvalidBitmapError();
};

// Content that the imaging component cannot decode: "Invalid image".
class InvalidImageError : public InvalidGraphicError {
 public:
  InvalidImageError();
};

// A file name whose extension no picture kind takes:
// "Unknown picture file extension (.%s)".
class UnknownPictureExtensionError : public InvalidGraphicError {
 public:
  explicit UnknownPictureExtensionError(std::string_view extension);
};

// An icon file of another resource type (a cursor): "Icon image is not valid".
class InvalidIconError : public InvalidGraphicError {
 public:
  InvalidIconError();
};

// A metafile whose header or records are wrong: "Metafile is not valid".
class InvalidMetafileError : public InvalidGraphicError {
 public:
  InvalidMetafileError();
};

// The text of a GIF that ends inside a block; it is also the warning when
// the reader can go on without the rest.
inline constexpr std::string_view kGifPrematureEnd = platform::TrLater("Premature end of data");

// A GIF that cannot be read or written; each class below says why.
class GifException : public InvalidGraphicError {
 protected:
  explicit GifException(std::string_view message);
};

// A stream that ends inside a block: "Premature end of data".
class GifPrematureEndError : public GifException {
 public:
  GifPrematureEndError();
};

// A block, code or frame that breaks the format: "Invalid GIF data".
class GifInvalidDataError : public GifException {
 public:
  GifInvalidDataError();
};

// A file that does not start with "GIF": "Invalid GIF signature".
class GifInvalidSignatureError : public GifException {
 public:
  GifInvalidSignatureError();
};

// An extension block of a label the reader does not know.
class GifUnknownExtensionError : public GifException {
 public:
  GifUnknownExtensionError();
};

// An application extension whose identifier block is not 11 bytes.
class GifApplicationBlockSizeError : public GifException {
 public:
  GifApplicationBlockSizeError();
};

// A colour added to a full table of 256.
class GifTooManyColorsError : public GifException {
 public:
  GifTooManyColorsError();
};

// A code that would define itself in the decoder table.
class GifCircularEntryError : public GifException {
 public:
  GifCircularEntryError();
};

// An image with nothing to save.
class GifEmptySaveError : public GifException {
 public:
  GifEmptySaveError();
};

// A pixel whose index is beyond its colour table.
class GifColorNotInTableError : public GifException {
 public:
  GifColorNotInTableError();
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

// A header whose colour type does not allow its bit depth.
class PngInvalidFormatError : public PngError {
 public:
  PngInvalidFormatError(int colorType, int bitDepth);
};

// A row whose filter type byte is none of the five filters.
class PngUnknownFilterError : public PngError {
 public:
  explicit PngUnknownFilterError(int filterType);
};

// A chunk assigned from a chunk of another kind.
class PngIncompatibleChunksError : public PngError {
 public:
  PngIncompatibleChunksError();
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

// A picture file above the limit on embedded files: "%s "%s" is too large
// (%u bytes). The limit is %u bytes (%u MiB).", the first "%s" saying which
// picture it is.
class PictureFileTooLargeError : public Error {
 protected:
  PictureFileTooLargeError(std::string_view role, std::string_view path, unsigned long long size,
                           unsigned long long limit);
};

// "Question picture "%s" is too large ...".
class QuestionPictureTooLargeError : public PictureFileTooLargeError {
 public:
  QuestionPictureTooLargeError(std::string_view path, unsigned long long size,
                               unsigned long long limit);
};

// "Picture variant "%s" is too large ...".
class VariantPictureTooLargeError : public PictureFileTooLargeError {
 public:
  VariantPictureTooLargeError(std::string_view path, unsigned long long size,
                              unsigned long long limit);
};

// The JPEG library refused a file: "JPEG error #%d" with its message code.
class JpegError : public Error {
 public:
  explicit JpegError(int messageCode);
};

}  // namespace texttoxml
