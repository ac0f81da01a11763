// "IHDR", the image header, which also holds the image: the decoded pixels
// in a store of one row per image row, top row first. How a pixel is held
// depends on the colour type and bit depth:
//   grey, palette (1, 4, 8 bits)      the sample or index at the bit depth
//   grey, palette, 2 bits             a 4-bit cell (grey levels scaled to
//                                     4 bits, indices unchanged)
//   grey, grey+alpha, 16 bits         the high byte of the sample
//   RGB, RGB+alpha                    red, green, blue bytes (high bytes at
//                                     16 bits)
// Grey+alpha and RGB+alpha images keep one alpha byte per pixel in a second
// store; 16-bit images keep the low bytes of their grey or colour samples in
// a third store of the same shape as the first. An image is written back
// with its stored values, so 2-bit images become 4-bit ones and 16-bit
// samples are written with a low byte of 0.
//
// Copies of a header share their stores until one of them asks for a row to
// write into, so that copying a large picture costs nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "pictures/png_chunk.h"

namespace texttoxml::pictures {

enum PngColorType : std::uint8_t {
  kPngGrey = 0,
  kPngRgb = 2,
  kPngPalette = 3,
  kPngGreyAlpha = 4,
  kPngRgbAlpha = 6,
};

struct IHDRData {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint8_t bitDepth = 0;
  std::uint8_t colorType = 0;
  std::uint8_t compressionMethod = 0;
  std::uint8_t filterMethod = 0;
  std::uint8_t interlaceMethod = 0;
};

class ChunkIHDR : public Chunk {
 public:
  ChunkIHDR() : Chunk("IHDR") {}
  std::unique_ptr<Chunk> CreateNew() const override;
  // Copies the header fields and the stores.
  void Assign(const Chunk& source) override;
  // Checks the header fields and makes an all-zero store of their shape.
  void Load(std::string_view data, ChunkLoadContext& context) override;
  // 13 bytes; the interlace method is the graphic's.
  void Save(const PngImage& owner, std::string& out) const override;

  // Checks the fields as Load does and makes an all-zero store.
  void Prepare(const IHDRData& header);

  const IHDRData& IhdrData() const { return header_; }
  // The bit depth the image is written with (2 becomes 4).
  int WrittenBitDepth() const;
  // Samples per pixel in the file: 1 grey or index, 2 grey+alpha, 3 RGB,
  // 4 RGB+alpha.
  int Channels() const;
  // Bits of one stored pixel in the main store.
  int StoredBitsPerPixel() const { return storedBits_; }
  bool HasAlpha() const {
    return header_.colorType == kPngGreyAlpha || header_.colorType == kPngRgbAlpha;
  }
  bool Has16BitSamples() const { return header_.bitDepth == 16; }

  std::size_t StoreRowBytes() const { return rowBytes_; }
  // Bytes of all three stores together: what the decoded pixels hold.
  std::uint64_t StoreBytes() const;
  std::uint8_t* ImageRow(std::uint32_t y) { return Own().image.data() + y * rowBytes_; }
  const std::uint8_t* ImageRow(std::uint32_t y) const {
    return stores_->image.data() + y * rowBytes_;
  }
  // Null for images without alpha.
  std::uint8_t* AlphaRow(std::uint32_t y);
  const std::uint8_t* AlphaRow(std::uint32_t y) const;
  // Null unless the image has 16-bit samples.
  std::uint8_t* ExtraRow(std::uint32_t y);
  const std::uint8_t* ExtraRow(std::uint32_t y) const;

 private:
  struct Stores {
    std::vector<std::uint8_t> image;
    std::vector<std::uint8_t> alpha;  // width bytes per row
    std::vector<std::uint8_t> extra;  // as many bytes as the image store
  };
  // The stores, first copied when another header shares them.
  Stores& Own();

  IHDRData header_;
  int storedBits_ = 0;
  std::size_t rowBytes_ = 0;
  std::shared_ptr<Stores> stores_ = std::make_shared<Stores>();
};

// Bytes of one row of `pixels` pixels of `channels` samples at `bitDepth`.
std::size_t PngRowBytes(std::uint64_t pixels, int channels, int bitDepth);

}  // namespace texttoxml::pictures
