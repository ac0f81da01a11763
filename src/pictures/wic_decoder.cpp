#include "pictures/wic_decoder.h"

#include <zlib.h>

#include <cstdint>

#include "error.h"
#include "pictures/bitmap.h"
#include "pictures/jpeg_reader.h"
#include "pictures/little_endian.h"
#include "pictures/tiff_decoder.h"

namespace texttoxml::pictures {

namespace {

[[noreturn]] void Invalid() { throw InvalidGraphicError("Invalid image"); }

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

std::uint32_t ReadU32Be(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  }
  return value;
}

constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1a\n", 8};

bool ValidPngDepth(unsigned colorType, unsigned depth) {
  switch (colorType) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2: case 4: case 6: return depth == 8 || depth == 16;
    default: return false;
  }
}

// The signature and a sound header chunk (with its CRC).
WicFrameInfo CheckPng(std::string_view bytes) {
  constexpr std::size_t kHeaderEnd = 8 + 8 + 13 + 4;
  if (bytes.size() < kHeaderEnd || ReadU32Be(bytes, 8) != 13 ||
      bytes.substr(12, 4) != "IHDR") {
    Invalid();
  }
  std::string_view chunk = bytes.substr(12, 4 + 13);
  const auto crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.data()),
                         static_cast<uInt>(chunk.size()));
  const std::uint32_t width = ReadU32Be(bytes, 16);
  const std::uint32_t height = ReadU32Be(bytes, 20);
  const auto depth = static_cast<std::uint8_t>(bytes[24]);
  const auto colorType = static_cast<std::uint8_t>(bytes[25]);
  const bool sound = crc == ReadU32Be(bytes, 29) && width > 0 && height > 0 &&
                     width <= INT32_MAX && height <= INT32_MAX &&
                     ValidPngDepth(colorType, depth) && bytes[26] == 0 &&
                     bytes[27] == 0 && static_cast<std::uint8_t>(bytes[28]) <= 1;
  if (!sound) Invalid();
  return {WicImageFormat::Png, static_cast<int>(width), static_cast<int>(height)};
}

// The signature and the logical screen size.
WicFrameInfo CheckGif(std::string_view bytes) {
  if (bytes.size() < 13) Invalid();
  const int width = ReadU16Le(bytes, 6);
  const int height = ReadU16Le(bytes, 8);
  if (width == 0 || height == 0) Invalid();
  return {WicImageFormat::Gif, width, height};
}

WicFrameInfo CheckJpeg(std::string_view bytes) {
  try {
    const JpegHeaderInfo header = DecodeJpeg(bytes);
    return {WicImageFormat::Jpeg, header.width, header.height};
  } catch (const JpegError&) {
    Invalid();
  }
}

WicFrameInfo CheckBitmap(std::string_view bytes) {
  Bitmap bitmap;
  try {
    bitmap.LoadFromBytes(bytes);
  } catch (const ImageTooLargeError&) {
    throw;
  } catch (const Error&) {
    Invalid();
  }
  return {WicImageFormat::Bmp, bitmap.Width(), bitmap.Height()};
}

// The directory and its first image: inside the file, and either PNG data
// or a bitmap information header.
WicFrameInfo CheckIcon(std::string_view bytes) {
  constexpr std::size_t kFirstEntry = 6;
  constexpr std::size_t kEntrySize = 16;
  if (bytes.size() < kFirstEntry + kEntrySize || ReadU16Le(bytes, 4) == 0) Invalid();
  const std::uint64_t size = ReadU32Le(bytes, kFirstEntry + 8);
  const std::uint64_t offset = ReadU32Le(bytes, kFirstEntry + 12);
  if (size < 8 || offset > bytes.size() || size > bytes.size() - offset) Invalid();
  std::string_view image = bytes.substr(offset, size);
  if (!StartsWith(image, kPngSignature) && ReadU32Le(image, 0) != 40) Invalid();
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
  Invalid();
}

}  // namespace texttoxml::pictures
