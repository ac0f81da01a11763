// Helpers for the PNG tests: building PNG files by hand, taking written PNG
// files apart, and decoding them with libpng as an independent reader.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace texttoxml::testing {

inline const std::string kPngSignature("\x89PNG\r\n\x1A\n", 8);

std::string U32Be(std::uint32_t value);

// One chunk frame with a correct CRC.
std::string PngFrame(std::string_view name, std::string_view data);

// The 13 data bytes of an image header.
std::string IhdrData(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType,
                     int interlace = 0, int compression = 0);

// A zlib stream (level 9) of `raw`.
std::string Deflate(std::string_view raw);
// The inflated zlib stream, or "<error>" when it is invalid.
std::string Inflate(std::string_view stream);

// Signature, IHDR, the given middle frames, IEND.
std::string MakePng(std::string_view ihdrData, const std::vector<std::string>& frames);

struct PngChunkFrame {
  std::string name;
  std::string data;
  bool crcOk = false;
};

// The chunk frames of a PNG file after its signature (empty when the
// signature is wrong or a frame is cut short).
std::vector<PngChunkFrame> SplitPng(std::string_view png);

std::vector<std::string> ChunkNames(const std::vector<PngChunkFrame>& frames);

// The concatenated data of every IDAT frame.
std::string JoinedImageData(const std::vector<PngChunkFrame>& frames);

// What libpng makes of a PNG file, with palettes expanded to RGB(A) and grey
// below 8 bits expanded to 8 bits; 16-bit samples are kept (big-endian).
// With `transparencyToAlpha`, a tRNS chunk becomes an alpha channel.
struct LibpngImage {
  bool ok = false;
  std::string error;
  std::uint32_t width = 0, height = 0;
  int colorType = 0;  // as stored in the file
  int bitDepth = 0;   // as stored in the file
  int interlace = 0;
  int channels = 0;                  // after the expansions
  int sampleBits = 0;                // after the expansions: 8 or 16
  std::vector<std::uint8_t> pixels;  // rows top first, no padding
};

LibpngImage DecodeWithLibpng(const std::string& png, bool transparencyToAlpha = false);

}  // namespace texttoxml::testing
