// A device-independent bitmap as held in memory: the information header in
// its 40-byte form, the colour masks, the colour table and the pixel rows,
// plus the reading and writing of the Windows bitmap file form.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace texttoxml::pictures {

struct RgbQuad {
  std::uint8_t blue, green, red, reserved;
};

inline constexpr std::uint32_t kCompressionNone = 0;
inline constexpr std::uint32_t kCompressionRle8 = 1;
inline constexpr std::uint32_t kCompressionRle4 = 2;
inline constexpr std::uint32_t kCompressionBitFields = 3;
inline constexpr std::uint32_t kCompressionAlphaBitFields = 6;

// The fields of the 40-byte information header.
struct DibHeader {
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative when the top row comes first
  std::uint16_t bitCount = 0;
  std::uint32_t compression = kCompressionNone;
  std::uint32_t sizeImage = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t clrUsed = 0;
  std::uint32_t clrImportant = 0;
};

struct Dib {
  DibHeader header;
  // Read from a 12-byte core header: written back with one, and with 3-byte
  // colour table entries.
  bool coreHeader = false;
  // Red, green and blue masks of 16- and 32-bit pixels (the defaults when the
  // compression is none).
  std::array<std::uint32_t, 3> masks{};
  std::vector<RgbQuad> colorTable;  // up to 8 bits per pixel only
  // Read from 2-bit pixels, which are held in 4-bit cells: the indices still
  // only span four colours.
  bool twoBitCells = false;
  // The rows in the header's order, each padded to a multiple of 4 bytes.
  std::vector<std::uint8_t> pixels;
  // A run-length file is held decoded; its own bytes are what is written.
  std::string keptFile;

  std::uint32_t Width() const { return static_cast<std::uint32_t>(header.width); }
  std::uint32_t Height() const;  // the absolute row count
  bool TopDown() const { return header.height < 0; }
  std::size_t Stride() const;
};

// Row length in bytes, padded to a multiple of 4.
std::uint64_t DibStride(std::uint64_t width, unsigned bitsPerPixel);

// The masks a 16- or 32-bit bitmap without bit fields implies.
std::array<std::uint32_t, 3> DefaultMasks(unsigned bitsPerPixel);

// Parses a whole, non-empty bitmap file. Raises ReadError for a file shorter
// than its headers, InvalidBitmapError "Bitmap image is not valid" for
// anything the held form cannot take, and "Image is too large (...)" above
// the decoded-pixel limit.
Dib ReadDib(std::string_view file);

// Appends the bitmap file form.
void WriteDib(const Dib& dib, std::string& out);

// Decodes 8- or 4-bit run-length data into bottom-up 32-bit rows of
// `width` x `height` pixels (`pixels` already sized and zeroed). Pixels the
// data skip or never reach stay black; nothing is written outside the rows.
void DecodeRunLength(std::string_view data, unsigned bitsPerPixel,
                     const std::vector<RgbQuad>& colors, std::uint32_t width, std::uint32_t height,
                     std::vector<std::uint8_t>& pixels);

}  // namespace texttoxml::pictures
