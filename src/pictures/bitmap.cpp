#include "pictures/bitmap.h"

#include <bit>

#include "pictures/picture_errors.h"

namespace texttoxml::pictures {

namespace {

// One colour channel of a bit-field pixel.
struct Channel {
  std::uint32_t mask;
  int shift;
  int bits;

  explicit Channel(std::uint32_t m)
      : mask(m),
        shift(m == 0 ? 0 : std::countr_zero(m)),
        bits(m == 0 ? 0 : std::bit_width(m >> shift)) {}

  // Narrow channels are widened by repeating their bits, so that full
  // intensity stays full (5-bit 31 gives 255); wide ones keep their top bits.
  std::uint8_t Value(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    const std::uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<std::uint8_t>(v >> (bits - 8));
    std::uint32_t wide = 0;
    int filled = 0;
    for (; filled < 8; filled += bits) wide = (wide << bits) | v;
    return static_cast<std::uint8_t>(wide >> (filled - 8));
  }
};

void IndexedRowToRgb(const std::uint8_t* row, std::uint32_t width, unsigned bits,
                     const std::vector<RgbQuad>& colors, std::uint8_t* rgb) {
  const unsigned perByte = 8 / bits;
  const unsigned valueMask = (1u << bits) - 1;
  for (std::uint32_t x = 0; x < width; ++x) {
    const unsigned shift = 8 - bits * (x % perByte + 1);
    const unsigned index = (row[x / perByte] >> shift) & valueMask;
    const RgbQuad c = index < colors.size() ? colors[index] : RgbQuad{0, 0, 0, 0};
    rgb[3 * x] = c.red;
    rgb[3 * x + 1] = c.green;
    rgb[3 * x + 2] = c.blue;
  }
}

void MaskedRowToRgb(const std::uint8_t* row, std::uint32_t width, unsigned bits,
                    const std::array<std::uint32_t, 3>& masks, std::uint8_t* rgb) {
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
  const unsigned step = bits / 8;
  for (std::uint32_t x = 0; x < width; ++x) {
    const std::uint8_t* p = row + step * x;
    std::uint32_t pixel = p[0] | p[1] << 8;
    if (bits == 32) {
      pixel |= static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    }
    rgb[3 * x] = red.Value(pixel);
    rgb[3 * x + 1] = green.Value(pixel);
    rgb[3 * x + 2] = blue.Value(pixel);
  }
}

void BgrRowToRgb(const std::uint8_t* row, std::uint32_t width, std::uint8_t* rgb) {
  for (std::uint32_t x = 0; x < width; ++x) {
    rgb[3 * x] = row[3 * x + 2];
    rgb[3 * x + 1] = row[3 * x + 1];
    rgb[3 * x + 2] = row[3 * x];
  }
}

bool HeldBitCount(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

std::unique_ptr<Graphic> Bitmap::CreateNew() const {
  return std::make_unique<Bitmap>();
}

void Bitmap::Assign(const Graphic& source) {
  const auto& bitmap = SameClassSource<Bitmap>(source);
  dib_ = bitmap.dib_;
  SetTransparent(bitmap.Transparent());
}

bool Bitmap::Empty() const {
  return dib_.pixels.empty();
}
int Bitmap::Width() const {
  return static_cast<int>(dib_.Width());
}
int Bitmap::Height() const {
  return static_cast<int>(dib_.Height());
}
int Bitmap::BitsPerPixel() const {
  return dib_.header.bitCount;
}
int Bitmap::IndexBits() const {
  return dib_.twoBitCells ? 2 : BitsPerPixel();
}
const std::vector<RgbQuad>& Bitmap::ColorTable() const {
  return dib_.colorTable;
}

void Bitmap::LoadFromBytes(std::string_view bytes) {
  dib_ = bytes.empty() ? Dib{} : ReadDib(bytes);
  SetTransparent(false);
}

void Bitmap::SaveToStream(std::string& out) const {
  if (!Empty()) WriteDib(dib_, out);
}

const std::uint8_t* Bitmap::TopDownRow(int y) const {
  const std::size_t row = dib_.TopDown() ? static_cast<std::size_t>(y)
                                         : dib_.Height() - 1 - static_cast<std::size_t>(y);
  return dib_.pixels.data() + row * dib_.Stride();
}

void Bitmap::RowToRgb(int y, std::uint8_t* rgb) const {
  const std::uint8_t* row = TopDownRow(y);
  const unsigned bits = dib_.header.bitCount;
  if (bits <= 8) {
    IndexedRowToRgb(row, dib_.Width(), bits, dib_.colorTable, rgb);
  } else if (bits == 24) {
    BgrRowToRgb(row, dib_.Width(), rgb);
  } else {
    MaskedRowToRgb(row, dib_.Width(), bits, dib_.masks, rgb);
  }
}

std::unique_ptr<Bitmap> Bitmap::FromPixels(int width, int height, int bitsPerPixel,
                                           std::vector<RgbQuad> colorTable,
                                           std::vector<std::uint8_t> bottomUpRows) {
  const bool fits =
      width > 0 && height > 0 && HeldBitCount(bitsPerPixel) &&
      (bitsPerPixel > 8 ? colorTable.empty() : colorTable.size() <= (1u << bitsPerPixel)) &&
      bottomUpRows.size() == DibStride(static_cast<std::uint64_t>(width), bitsPerPixel) *
                                 static_cast<std::uint64_t>(height);
  if (!fits) throw InvalidBitmapError();
  auto bitmap = std::make_unique<Bitmap>();
  Dib& dib = bitmap->dib_;
  dib.header.width = width;
  dib.header.height = height;
  dib.header.bitCount = static_cast<std::uint16_t>(bitsPerPixel);
  dib.header.sizeImage = static_cast<std::uint32_t>(bottomUpRows.size());
  dib.header.clrUsed = static_cast<std::uint32_t>(colorTable.size());
  dib.masks = DefaultMasks(static_cast<unsigned>(bitsPerPixel));
  dib.colorTable = std::move(colorTable);
  dib.pixels = std::move(bottomUpRows);
  return bitmap;
}

}  // namespace texttoxml::pictures
