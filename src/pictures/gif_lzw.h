// The variable-length LZW code of GIF image data, both ways.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace texttoxml::pictures {

// The rows of a frame in the order its data holds them: top to bottom, or
// for an interlaced frame the four passes (0, 8, 16, ...; 4, 12, ...;
// 2, 6, ...; 1, 3, ...).
std::vector<int> GifRowOrder(int height, bool interlaced);

// The largest minimum code size whose codes fit the 12-bit code space.
inline constexpr int kGifMaxMinCodeSize = 12;

// How decoding stopped.
enum class GifLzwEnd {
  kComplete,   // every pixel has its value
  kEndCode,    // the end code came (possibly before the last pixel)
  kOutOfData,  // the data ran out before the end code and the last pixel
};

// Decodes LZW codes, read least significant bit first across `blocks`, into
// `pixels` (width * height indices, rows top to bottom). Pixels the codes do
// not reach keep their value; codes after the last pixel are ignored.
// Raises GifException "Circular decoder table entry" for a first code that
// would be defined by itself and "Invalid GIF data" for a code beyond the
// table or a literal that does not fit a byte. `minCodeSize` is at most
// kGifMaxMinCodeSize.
GifLzwEnd DecodeGifLzw(const std::vector<std::string_view>& blocks, int minCodeSize, int width,
                       int height, bool interlaced, std::uint8_t* pixels);

// The layout and palette size of the pixels to encode.
struct GifLzwSource {
  std::span<const std::uint8_t> pixels;  // width * height, top to bottom
  int width = 0;
  int height = 0;
  bool interlaced = false;
  int bitsPerPixel = 0;  // of the colour table the indices refer to
  int colorCount = 0;    // indices must be below it
};

// Appends the image data block: the minimum code size byte, the LZW codes
// in sub-blocks of at most 255 bytes, and the zero terminator. Raises
// GifException "Color not in color table" for an index at or above the
// colour count, and "Invalid GIF data" unless the pixels fill a non-empty
// width x height exactly and bitsPerPixel is at most 8.
void WriteGifImageData(const GifLzwSource& source, std::string& out);

}  // namespace texttoxml::pictures
