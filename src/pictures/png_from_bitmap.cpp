// Converting a bitmap into the PNG graphic model: palette bitmaps keep their
// indices and depth, all others become 8-bit RGB.
#include "pictures/png_from_bitmap.h"

#include <cstring>
#include <typeinfo>

#include "pictures/bitmap.h"
#include "pictures/picture.h"
#include "pictures/picture_errors.h"
#include "pictures/png_image.h"

namespace texttoxml::pictures {

namespace {

bool IsSupportedDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Index rows as held, with the unused bits after the last pixel cleared.
void CopyIndexRows(const Bitmap& bitmap, ChunkIHDR& header) {
  const std::size_t length = header.StoreRowBytes();
  const unsigned usedBits = (static_cast<unsigned>(bitmap.Width()) * header.StoredBitsPerPixel()) %
                            8;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* row = header.ImageRow(static_cast<std::uint32_t>(y));
    std::memcpy(row, bitmap.TopDownRow(y), length);
    if (usedBits != 0)
      row[length - 1] = static_cast<std::uint8_t>(row[length - 1] & (0xFF << (8 - usedBits)));
  }
}

void CopyRgbRows(const Bitmap& bitmap, ChunkIHDR& header) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    bitmap.RowToRgb(y, header.ImageRow(static_cast<std::uint32_t>(y)));
  }
}

// One entry per index the file's pixels can hold; entries the colour table
// lacks are black.
std::vector<PaletteEntry> PaletteOf(const Bitmap& bitmap) {
  std::vector<PaletteEntry> entries(std::size_t{1} << bitmap.IndexBits());
  const std::vector<RgbQuad>& table = bitmap.ColorTable();
  for (std::size_t i = 0; i < entries.size() && i < table.size(); ++i) {
    entries[i] = {table[i].red, table[i].green, table[i].blue};
  }
  return entries;
}

// The tRNS data that makes `color` transparent: its 16-bit samples for an
// RGB image, alpha 0 for every matching entry of a palette; empty when no
// entry matches.
std::string TransparencyData(const ChunkIHDR& header, const std::vector<PaletteEntry>& palette,
                             PaletteEntry color) {
  std::string data;
  if (header.IhdrData().colorType == kPngRgb) {
    for (std::uint8_t sample : {color.red, color.green, color.blue}) {
      data += '\0';
      data += static_cast<char>(sample);
    }
    return data;
  }
  for (std::size_t i = 0; i < palette.size(); ++i) {
    if (palette[i] == color) {
      data.resize(i + 1, '\xFF');
      data[i] = '\0';
    }
  }
  return data;
}

}  // namespace

std::vector<std::unique_ptr<Chunk>> PngChunksFromBitmap(const Bitmap& bitmap, bool transparent,
                                                        PaletteEntry transparentColor) {
  const int bits = bitmap.BitsPerPixel();
  if (bitmap.Width() <= 0 || bitmap.Height() <= 0 || !IsSupportedDepth(bits)) {
    throw InvalidBitmapError();
  }
  const bool palette = bits < 16;
  // A 2-bit header keeps the 4-bit cells the bitmap holds; it is written at
  // depth 4.
  auto header = std::make_unique<ChunkIHDR>();
  header->Prepare({static_cast<std::uint32_t>(bitmap.Width()),
                   static_cast<std::uint32_t>(bitmap.Height()),
                   static_cast<std::uint8_t>(palette ? bitmap.IndexBits() : 8),
                   palette ? kPngPalette : kPngRgb, 0, 0, 0});
  if (palette)
    CopyIndexRows(bitmap, *header);
  else
    CopyRgbRows(bitmap, *header);

  const std::vector<PaletteEntry> entries = palette ? PaletteOf(bitmap)
                                                    : std::vector<PaletteEntry>();
  ChunkLoadContext context{header.get(), 0};
  std::vector<std::unique_ptr<Chunk>> chunks;
  chunks.push_back(std::move(header));
  if (palette) {
    auto plte = std::make_unique<ChunkPLTE>();
    plte->SetEntries(entries);
    chunks.push_back(std::move(plte));
  }
  if (transparent) {
    const std::string data = TransparencyData(*context.header, entries, transparentColor);
    if (!data.empty()) {
      chunks.push_back(std::make_unique<ChunktRNS>());
      chunks.back()->Load(data, context);
    }
  }
  chunks.push_back(std::make_unique<ChunkIDAT>());
  chunks.push_back(std::make_unique<ChunkIEND>());
  return chunks;
}

bool ConvertPictureToPng(Picture& picture) {
  const Graphic* graphic = picture.GetGraphic();
  if (graphic == nullptr || typeid(*graphic) != typeid(Bitmap)) return false;
  PngImage png;
  png.Assign(*graphic);
  picture.Assign(png);
  return true;
}

}  // namespace texttoxml::pictures
