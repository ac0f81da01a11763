#include "pictures/wic_reader.h"

#include <cstdint>
#include <string>

#include "pictures/bitmap.h"
#include "pictures/gif_image.h"
#include "pictures/jpeg_reader.h"
#include "pictures/little_endian.h"
#include "pictures/picture_errors.h"
#include "pictures/png_bytes.h"
#include "pictures/png_image.h"
#include "pictures/tiff_reader.h"

namespace texttoxml::pictures {

namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

// Decodes with one of the picture readers: a picture over the pixel limit
// says so, any other failure is the component's.
template <class Kind>
void DecodeAs(Kind& graphic, std::string_view bytes) {
  try {
    graphic.LoadFromBytes(bytes);
  } catch (const ImageTooLargeError&) {
    throw;
  } catch (const Error&) {
    throw InvalidImageError();
  }
}

WicFrameInfo CheckPng(std::string_view bytes) {
  PngImage png;
  DecodeAs(png, bytes);
  return {WicImageFormat::Png, png.Width(), png.Height()};
}

// Every frame is decoded; the first must exist. The size is the logical
// screen's.
WicFrameInfo CheckGif(std::string_view bytes) {
  GifImage gif;
  DecodeAs(gif, bytes);
  if (gif.Empty() || gif.Width() == 0 || gif.Height() == 0) throw InvalidImageError();
  return {WicImageFormat::Gif, gif.Width(), gif.Height()};
}

WicFrameInfo CheckJpeg(std::string_view bytes) {
  try {
    const JpegHeaderInfo header = DecodeJpeg(bytes);
    return {WicImageFormat::Jpeg, header.width, header.height};
  } catch (const JpegError&) {
    throw InvalidImageError();
  }
}

WicFrameInfo CheckBitmap(std::string_view bytes) {
  Bitmap bitmap;
  DecodeAs(bitmap, bytes);
  return {WicImageFormat::Bmp, bitmap.Width(), bitmap.Height()};
}

// The directory, and its first image decoded: PNG data, or a bitmap
// information header with its colour table and pixels (the colour rows,
// then the mask rows, under twice the height).
WicFrameInfo CheckIcon(std::string_view bytes) {
  constexpr std::size_t kFirstEntry = 6;
  constexpr std::size_t kEntrySize = 16;
  if (bytes.size() < kFirstEntry + kEntrySize || ReadU16Le(bytes, 4) == 0) {
    throw InvalidImageError();
  }
  const std::uint64_t size = ReadU32Le(bytes, kFirstEntry + 8);
  const std::uint64_t offset = ReadU32Le(bytes, kFirstEntry + 12);
  if (size < 8 || offset > bytes.size() || size > bytes.size() - offset) throw InvalidImageError();
  std::string_view image = bytes.substr(offset, size);
  if (StartsWith(image, kPngSignature)) {
    CheckPng(image);
  } else if (ReadU32Le(image, 0) == 40) {
    // A file header with no pixel-data offset: the pixels follow the table.
    CheckBitmap(std::string("BM", 2) + std::string(12, '\0') + std::string(image));
  } else {
    throw InvalidImageError();
  }
  auto dimension = [&](std::size_t at) {
    const auto value = static_cast<std::uint8_t>(bytes[at]);
    return value == 0 ? 256 : static_cast<int>(value);
  };
  return {WicImageFormat::Other, dimension(kFirstEntry), dimension(kFirstEntry + 1)};
}

WicFrameInfo CheckTiff(std::string_view bytes) {
  const FrameSize size = DecodeTiffFirstFrame(bytes);
  return {WicImageFormat::Tiff, size.width, size.height};
}

}  // namespace

WicFrameInfo DecodeWicFrame(std::string_view bytes) {
  using namespace std::string_view_literals;
  if (StartsWith(bytes, "II*\0"sv) || StartsWith(bytes, "MM\0*"sv) ||
      StartsWith(bytes, "II+\0"sv) || StartsWith(bytes, "MM\0+"sv)) {
    return CheckTiff(bytes);
  }
  if (StartsWith(bytes, kPngSignature)) return CheckPng(bytes);
  if (StartsWith(bytes, "\xFF\xD8\xFF"sv)) return CheckJpeg(bytes);
  if (StartsWith(bytes, "GIF87a"sv) || StartsWith(bytes, "GIF89a"sv)) return CheckGif(bytes);
  if (StartsWith(bytes, "BM"sv)) return CheckBitmap(bytes);
  if (StartsWith(bytes, "\0\0\1\0"sv)) return CheckIcon(bytes);
  throw InvalidImageError();
}

}  // namespace texttoxml::pictures
