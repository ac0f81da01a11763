// The PNG graphic ("TPngImage"): an ordered list of chunks, the first of
// which, the header, holds the decoded image. It is filled by reading a PNG
// file or by converting a bitmap, and written as a PNG file with Sub-filtered
// rows deflated at level 7.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/graphic.h"
#include "pictures/png_chunk.h"
#include "pictures/png_chunks.h"
#include "pictures/png_header.h"

namespace texttoxml::pictures {

class Bitmap;

enum class InterlaceMethod { None, Adam7 };

class PngImage : public Graphic {
 public:
  static constexpr int kCompressionLevel = 7;
  static constexpr int kMinIdatSize = 65535;

  PngImage() = default;

  std::string_view ClassName() const override { return "TPngImage"; }
  std::unique_ptr<Graphic> CreateNew() const override;
  // A PngImage source is copied; a Bitmap (or derived) source is converted
  // with AssignHandle; any other source raises ConvertError.
  void Assign(const Graphic& source) override;
  bool Empty() const override { return Header() == nullptr; }
  int Width() const override;
  int Height() const override;
  // Reads a whole PNG file; on failure the graphic keeps what it held.
  void LoadFromBytes(std::string_view bytes) override;
  // Appends the PNG file: signature, then every chunk in list order.
  void SaveToStream(std::string& out) const override;

  // Rebuilds the chunk list from the bitmap, as PngChunksFromBitmap makes it.
  void AssignHandle(const Bitmap& bitmap, bool transparent, PaletteEntry transparentColor);

  // The deflate level of the image data and of compressed text.
  int CompressionLevel() const { return kCompressionLevel; }
  // Adam7 for an interlaced file that was read, else None.
  InterlaceMethod Interlace() const { return interlaceMethod_; }
  int MaxIdatSize() const { return maxIdatSize_; }
  void SetMaxIdatSize(int size);  // values below 65535 are stored as 65535

  const std::vector<std::unique_ptr<Chunk>>& Chunks() const { return chunks_; }
  // The first chunk, or null for an empty graphic.
  const ChunkIHDR* Header() const;
  // The first chunk of class T, or null.
  template <class T>
  const T* FindChunk() const {
    for (const auto& chunk : chunks_) {
      if (const T* typed = dynamic_cast<const T*>(chunk.get())) return typed;
    }
    return nullptr;
  }

 private:
  void CopyFrom(const PngImage& source);

  std::vector<std::unique_ptr<Chunk>> chunks_;
  InterlaceMethod interlaceMethod_ = InterlaceMethod::None;
  int maxIdatSize_ = kMinIdatSize;
};

}  // namespace texttoxml::pictures
