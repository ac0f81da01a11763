// Reading the Windows bitmap file form: the 14-byte file header, one of the
// information header forms (core, OS/2, Windows 40 to 124 bytes), the masks,
// the colour table and the pixels.
#include <algorithm>
#include <limits>

#include "pictures/dib.h"
#include "pictures/limits.h"
#include "pictures/little_endian.h"
#include "pictures/picture_errors.h"
#include "platform/platform_errors.h"

namespace texttoxml::pictures {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

enum class HeaderKind { Core, Os2, Windows };

struct ParsedHeader {
  DibHeader fields;
  HeaderKind kind = HeaderKind::Windows;
  std::uint32_t size = 0;
  std::uint16_t planes = 0;
};

bool KnownHeaderSize(std::uint32_t size) {
  switch (size) {
    case 12:
    case 16:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
      return true;
    default:
      return false;
  }
}

// Fields that a short header lacks stay zero.
ParsedHeader ParseInfoHeader(std::string_view file) {
  if (file.size() < kFileHeaderSize + 4) throw ReadError();
  ParsedHeader parsed;
  parsed.size = ReadU32Le(file, kFileHeaderSize);
  if (!KnownHeaderSize(parsed.size)) throw InvalidBitmapError();
  if (file.size() - kFileHeaderSize < parsed.size) throw ReadError();
  std::string_view h = file.substr(kFileHeaderSize, parsed.size);
  DibHeader& f = parsed.fields;
  if (parsed.size == 12) {
    parsed.kind = HeaderKind::Core;
    f.width = ReadU16Le(h, 4);
    f.height = ReadU16Le(h, 6);
    parsed.planes = ReadU16Le(h, 8);
    f.bitCount = ReadU16Le(h, 10);
    return parsed;
  }
  parsed.kind = (parsed.size == 16 || parsed.size == 64) ? HeaderKind::Os2 : HeaderKind::Windows;
  f.width = ReadI32Le(h, 4);
  f.height = ReadI32Le(h, 8);
  parsed.planes = ReadU16Le(h, 12);
  f.bitCount = ReadU16Le(h, 14);
  if (parsed.size >= 40) {
    f.compression = ReadU32Le(h, 16);
    f.sizeImage = ReadU32Le(h, 20);
    f.xPelsPerMeter = ReadI32Le(h, 24);
    f.yPelsPerMeter = ReadI32Le(h, 28);
    f.clrUsed = ReadU32Le(h, 32);
    f.clrImportant = ReadU32Le(h, 36);
  }
  return parsed;
}

bool IsBitFields(std::uint32_t compression) {
  return compression == kCompressionBitFields || compression == kCompressionAlphaBitFields;
}

bool ValidFormat(const ParsedHeader& parsed) {
  const DibHeader& f = parsed.fields;
  if (parsed.planes != 1 || f.width <= 0 || f.height == 0 ||
      f.height == std::numeric_limits<std::int32_t>::min()) {
    return false;
  }
  switch (f.compression) {
    case kCompressionNone:
      return f.bitCount == 1 || f.bitCount == 2 || f.bitCount == 4 || f.bitCount == 8 ||
             f.bitCount == 16 || f.bitCount == 24 || f.bitCount == 32;
    case kCompressionRle8:
    case kCompressionRle4:
      // OS/2 numbers its compressions differently only from 3 on; run-length
      // data cannot run top-down.
      return f.height > 0 && f.bitCount == (f.compression == kCompressionRle8 ? 8 : 4);
    case kCompressionBitFields:
    case kCompressionAlphaBitFields:
      return parsed.kind == HeaderKind::Windows && (f.bitCount == 16 || f.bitCount == 32);
    default:
      return false;  // embedded JPEG or PNG, OS/2 Huffman or RLE24
  }
}

// The masks: inside headers of 52 bytes and more, else after the header.
// Returns the number of bytes the masks take after the header.
std::size_t ReadMasks(std::string_view file, const ParsedHeader& parsed,
                      std::array<std::uint32_t, 3>& masks) {
  const DibHeader& f = parsed.fields;
  masks = DefaultMasks(f.bitCount);
  if (!IsBitFields(f.compression)) return 0;
  std::size_t at = kFileHeaderSize + 40;
  std::size_t after = 0;
  if (parsed.size < 52) {
    after = f.compression == kCompressionAlphaBitFields ? 16 : 12;
    if (file.size() < at + after) throw ReadError();
  }
  for (std::size_t i = 0; i < 3; ++i) masks[i] = ReadU32Le(file, at + 4 * i);
  return after;
}

struct TableLayout {
  std::uint64_t start = 0;
  std::uint64_t entries = 0;
  unsigned entrySize = 4;
  std::uint64_t End() const { return start + entries * entrySize; }
};

// Where the colour table lies. A pixel-data offset that points inside the
// nominal table cuts it short there (sparse OS/2 tables are written so).
TableLayout LocateTable(std::string_view file, const ParsedHeader& parsed, std::uint64_t start) {
  const DibHeader& f = parsed.fields;
  TableLayout table;
  table.start = start;
  table.entrySize = parsed.kind == HeaderKind::Core ? 3 : 4;
  table.entries = f.clrUsed;
  if (table.entries == 0 && f.bitCount <= 8) table.entries = 1u << f.bitCount;
  const std::uint64_t offset = ReadU32Le(file, 10);
  if (offset > start && offset < table.End()) {
    table.entries = (offset - start) / table.entrySize;
  }
  if (table.End() > file.size()) throw InvalidBitmapError();
  return table;
}

std::vector<RgbQuad> ReadTable(std::string_view file, const TableLayout& table, unsigned bitCount) {
  if (bitCount > 8) return {};
  const std::uint64_t held = std::min<std::uint64_t>(table.entries, 1u << bitCount);
  std::vector<RgbQuad> colors(held);
  for (std::uint64_t i = 0; i < held; ++i) {
    std::size_t at = table.start + i * table.entrySize;
    colors[i] = {static_cast<std::uint8_t>(file[at]), static_cast<std::uint8_t>(file[at + 1]),
                 static_cast<std::uint8_t>(file[at + 2]), 0};
  }
  return colors;
}

// The pixels begin at the file header's offset when it lies after the colour
// table and inside the file; a gap between table and pixels is allowed.
std::uint64_t PixelStart(std::string_view file, std::uint64_t tableEnd) {
  const std::uint64_t offset = ReadU32Le(file, 10);
  return offset >= tableEnd && offset < file.size() ? offset : tableEnd;
}

// Two-bit pixels are held in four-bit cells, the smallest form a bitmap of
// this kind holds.
std::vector<std::uint8_t> WidenTwoBitRows(const std::vector<std::uint8_t>& rows,
                                          std::uint32_t width, std::uint32_t height) {
  const std::size_t from = DibStride(width, 2);
  const std::size_t to = DibStride(width, 4);
  std::vector<std::uint8_t> wide(to * height);
  for (std::size_t y = 0; y < height; ++y) {
    for (std::size_t x = 0; x < width; ++x) {
      unsigned value = (rows[y * from + x / 4] >> (6 - 2 * (x % 4))) & 3;
      wide[y * to + x / 2] |= static_cast<std::uint8_t>(value << (x % 2 ? 0 : 4));
    }
  }
  return wide;
}

// The pixel bytes taken from the file: the header's image size, or the
// rows' own size when that is 0 or the pixels are uncompressed, but never
// more than the file has left after `start`.
std::size_t PixelBytesGiven(std::string_view file, std::uint64_t start, const DibHeader& header,
                            std::size_t rowsSize) {
  const std::uint64_t announced =
      header.sizeImage == 0 || header.compression == kCompressionNone ? rowsSize : header.sizeImage;
  return static_cast<std::size_t>(
      std::min<std::uint64_t>({announced, rowsSize, file.size() - start}));
}

// A file cut short keeps the pixels it has; the rows it does not reach are
// zero, as where run-length data end early.
void ReadPlainPixels(std::string_view file, std::uint64_t start, Dib& dib) {
  const std::uint32_t width = dib.Width();
  const std::uint32_t height = dib.Height();
  const unsigned bits = dib.header.bitCount;
  const unsigned heldBits = bits == 2 ? 4 : bits;
  const std::uint64_t stride = DibStride(width, heldBits);
  if (stride > kMaxDecodedPixelBytes / height) ThrowImageTooLarge(width, height, heldBits);
  std::vector<std::uint8_t> rows(DibStride(width, bits) * height);
  const std::size_t copied = PixelBytesGiven(file, start, dib.header, rows.size());
  std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(start), copied, rows.begin());
  if (bits == 2) {
    rows = WidenTwoBitRows(rows, width, height);
    dib.header.bitCount = 4;
    dib.twoBitCells = true;
  }
  dib.pixels = std::move(rows);
  dib.header.sizeImage = static_cast<std::uint32_t>(dib.pixels.size());
  if (dib.header.compression == kCompressionAlphaBitFields) {
    dib.header.compression = kCompressionBitFields;
  }
}

// Run-length bitmaps are held decoded as 32-bit true colour, and keep the
// file's own bytes for writing.
void ReadRunLengthPixels(std::string_view file, std::uint64_t start, std::vector<RgbQuad> colors,
                         Dib& dib) {
  const std::uint32_t width = dib.Width();
  const std::uint32_t height = dib.Height();
  CheckImageSize(width, height, 32);
  std::string_view data = file.substr(start);
  if (dib.header.sizeImage != 0 && dib.header.sizeImage < data.size()) {
    data = data.substr(0, dib.header.sizeImage);
  }
  dib.pixels.assign(std::size_t{width} * 4 * height, 0);
  DecodeRunLength(data, dib.header.bitCount, colors, width, height, dib.pixels);
  dib.colorTable.clear();
  dib.masks = DefaultMasks(32);
  dib.header.bitCount = 32;
  dib.header.compression = kCompressionNone;
  dib.header.sizeImage = static_cast<std::uint32_t>(dib.pixels.size());
  dib.keptFile = std::string(file);
}

}  // namespace

Dib ReadDib(std::string_view file) {
  if (file.size() < kFileHeaderSize) throw ReadError();
  if (file[0] != 'B' || file[1] != 'M') throw InvalidBitmapError();
  const ParsedHeader parsed = ParseInfoHeader(file);
  if (!ValidFormat(parsed)) throw InvalidBitmapError();

  Dib dib;
  dib.header = parsed.fields;
  dib.coreHeader = parsed.kind == HeaderKind::Core;
  const std::size_t masksAfter = ReadMasks(file, parsed, dib.masks);
  const TableLayout table = LocateTable(file, parsed, kFileHeaderSize + parsed.size + masksAfter);
  std::vector<RgbQuad> colors = ReadTable(file, table, dib.header.bitCount);
  const std::uint64_t start = PixelStart(file, table.End());

  const bool runLength = dib.header.compression == kCompressionRle8 ||
                         dib.header.compression == kCompressionRle4;
  if (runLength) {
    ReadRunLengthPixels(file, start, std::move(colors), dib);
  } else {
    dib.colorTable = std::move(colors);
    ReadPlainPixels(file, start, dib);
  }
  dib.header.clrUsed = static_cast<std::uint32_t>(dib.colorTable.size());
  if (dib.header.clrImportant > dib.header.clrUsed) dib.header.clrImportant = 0;
  return dib;
}

}  // namespace texttoxml::pictures
