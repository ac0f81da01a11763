// Writing the Windows bitmap file form: the kept file as it was read, else
// the file header, a core or 40-byte information header, the masks, the
// colour table and the pixels.
#include "pictures/dib.h"
#include "pictures/little_endian.h"

namespace texttoxml::pictures {

namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

void AppendCoreHeader(const Dib& dib, std::string& out) {
  AppendU32Le(out, kCoreHeaderSize);
  AppendU16Le(out, dib.Width());
  AppendU16Le(out, dib.Height());
  AppendU16Le(out, 1);
  AppendU16Le(out, dib.header.bitCount);
}

void AppendInfoHeader(const Dib& dib, std::uint32_t colorsWritten, std::string& out) {
  const DibHeader& h = dib.header;
  AppendU32Le(out, kInfoHeaderSize);
  AppendU32Le(out, static_cast<std::uint32_t>(h.width));
  AppendU32Le(out, static_cast<std::uint32_t>(h.height));
  AppendU16Le(out, 1);
  AppendU16Le(out, h.bitCount);
  AppendU32Le(out, h.compression);
  AppendU32Le(out, static_cast<std::uint32_t>(dib.pixels.size()));
  AppendU32Le(out, static_cast<std::uint32_t>(h.xPelsPerMeter));
  AppendU32Le(out, static_cast<std::uint32_t>(h.yPelsPerMeter));
  AppendU32Le(out, colorsWritten);
  AppendU32Le(out, h.clrImportant);
}

void AppendColorTable(const Dib& dib, unsigned entrySize, std::string& out) {
  for (const RgbQuad& c : dib.colorTable) {
    out += static_cast<char>(c.blue);
    out += static_cast<char>(c.green);
    out += static_cast<char>(c.red);
    if (entrySize == 4) out += '\0';
  }
}

}  // namespace

void WriteDib(const Dib& dib, std::string& out) {
  if (!dib.keptFile.empty()) {
    out += dib.keptFile;
    return;
  }
  const unsigned entrySize = dib.coreHeader ? 3 : 4;
  const std::uint32_t headerSize = dib.coreHeader ? kCoreHeaderSize : kInfoHeaderSize;
  const bool masks = !dib.coreHeader && dib.header.bitCount > 8 &&
                     dib.header.compression == kCompressionBitFields;
  const auto colors = static_cast<std::uint32_t>(dib.colorTable.size());
  const std::uint32_t offset = 14 + headerSize + (masks ? 12 : 0) + colors * entrySize;

  out += "BM";
  AppendU32Le(out, offset + static_cast<std::uint32_t>(dib.pixels.size()));
  AppendU32Le(out, 0);  // two reserved 16-bit fields
  AppendU32Le(out, offset);
  if (dib.coreHeader) {
    AppendCoreHeader(dib, out);
  } else {
    AppendInfoHeader(dib, colors, out);
  }
  if (masks) {
    for (std::uint32_t mask : dib.masks) AppendU32Le(out, mask);
  }
  AppendColorTable(dib, entrySize, out);
  out.append(reinterpret_cast<const char*>(dib.pixels.data()), dib.pixels.size());
}

}  // namespace texttoxml::pictures
