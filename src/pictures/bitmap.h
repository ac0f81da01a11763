// The device-independent bitmap ("TBitmap"): pixels held at the file's own
// bits per pixel with its colour table, read from and written as a Windows
// bitmap file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/dib.h"
#include "pictures/graphic.h"

namespace texttoxml::pictures {

class Bitmap : public Graphic {
 public:
  Bitmap() = default;

  std::string_view ClassName() const override { return "TBitmap"; }
  std::unique_ptr<Graphic> CreateNew() const override;
  // Copies another bitmap's pixels, colour table and written form.
  void Assign(const Graphic& source) override;
  bool Empty() const override;
  int Width() const override;
  int Height() const override;  // the absolute row count
  // An empty file gives an empty bitmap; see ReadDib for the failures.
  void LoadFromBytes(std::string_view bytes) override;
  // Nothing for an empty bitmap.
  void SaveToStream(std::string& out) const override;

  int BitsPerPixel() const;  // 1, 4, 8, 16, 24 or 32 as held
  // The bits an index of the file had: 2 for 2-bit pixels (held in 4-bit
  // cells), else BitsPerPixel().
  int IndexBits() const;
  const std::vector<RgbQuad>& ColorTable() const;  // up to 8 bits per pixel
  // Row y counted from the top, as held at BitsPerPixel().
  const std::uint8_t* TopDownRow(int y) const;
  // Row y from the top as Width()*3 bytes R, G, B: colour table and bit
  // fields applied, channels narrower than 8 bits scaled by bit replication,
  // the fourth byte of 32-bit pixels dropped. Indices outside the colour
  // table give black.
  void RowToRgb(int y, std::uint8_t* rgb) const;

  // An uncompressed bitmap with a 40-byte header, for pictures made in code.
  // `bottomUpRows` holds the rows bottom first, each padded to 4 bytes.
  // Raises InvalidGraphicError when the pieces do not fit together.
  static std::unique_ptr<Bitmap> FromPixels(int width, int height, int bitsPerPixel,
                                            std::vector<RgbQuad> colorTable,
                                            std::vector<std::uint8_t> bottomUpRows);

 private:
  Dib dib_;
};

}  // namespace texttoxml::pictures
