// Writing a GifImage as a GIF file: header and colour tables rebuilt from
// the maps, extensions in their stored forms, pixels encoded with LZW.
#include <algorithm>

#include "pictures/gif_image.h"
#include "pictures/gif_lzw.h"
#include "pictures/little_endian.h"
#include "pictures/picture_errors.h"

namespace texttoxml::pictures {

namespace {

constexpr char kImageSeparator = ',';
constexpr char kTrailer = ';';
// The packed fields of a logical screen without a global colour table.
constexpr std::uint8_t kNoGlobalTable = 0x77;
// The bits of a loaded image descriptor that writing keeps: interlace and
// a reserved bit.
constexpr std::uint8_t kKeptImageBits = 0x50;

std::uint8_t SizeBits(const GifColorMap& map) {
  return static_cast<std::uint8_t>((map.BitsPerPixel() - 1) & 7);
}

std::uint8_t ScreenPackedFields(const GifColorMap& global) {
  if (global.Count() == 0) return kNoGlobalTable;
  const std::uint8_t size = SizeBits(global);
  return static_cast<std::uint8_t>(0x80 | size << 4 | (global.Optimized() ? 0x08 : 0) | size);
}

std::uint8_t ImagePackedFields(const GifFrame& frame) {
  auto packed = static_cast<std::uint8_t>(frame.imageDescriptor.packedFields & kKeptImageBits);
  const GifColorMap& local = frame.colorMap;
  if (local.Count() == 0) return packed;
  return static_cast<std::uint8_t>(packed | 0x80 | (local.Optimized() ? 0x20 : 0) |
                                   SizeBits(local));
}

// The entries, then black ones up to the power of two the size bits give.
void WriteColorTable(const GifColorMap& map, std::string& out) {
  for (const GifColor& color : map.Colors()) {
    out.push_back(static_cast<char>(color.red));
    out.push_back(static_cast<char>(color.green));
    out.push_back(static_cast<char>(color.blue));
  }
  out.append(static_cast<std::size_t>((1 << map.BitsPerPixel()) - map.Count()) * 3, '\0');
}

void WriteScreen(const GifHeader& header, std::string& out) {
  const GifLogicalScreenDescriptor& screen = header.logicalScreenDescriptor;
  AppendU16Le(out, screen.screenWidth);
  AppendU16Le(out, screen.screenHeight);
  out.push_back(static_cast<char>(ScreenPackedFields(header.colorMap)));
  out.push_back(static_cast<char>(screen.backgroundColorIndex));
  out.push_back(static_cast<char>(screen.aspectRatio));
  if (header.colorMap.Count() > 0) WriteColorTable(header.colorMap, out);
}

void WriteImageDescriptor(const GifFrame& frame, std::string& out) {
  const GifImageDescriptor& descriptor = frame.imageDescriptor;
  out.push_back(kImageSeparator);
  AppendU16Le(out, descriptor.left);
  AppendU16Le(out, descriptor.top);
  AppendU16Le(out, descriptor.width);
  AppendU16Le(out, descriptor.height);
  out.push_back(static_cast<char>(ImagePackedFields(frame)));
}

// A frame without a local table is encoded for the widest table in the
// image, since its indices may refer to any of them.
int WidestBitsPerPixel(const GifHeader& header, const std::vector<GifFrame>& frames) {
  int bits = header.colorMap.BitsPerPixel();
  for (const GifFrame& frame : frames) bits = std::max(bits, frame.colorMap.BitsPerPixel());
  return bits;
}

void WriteFrame(const GifFrame& frame, int widestBits, std::string& out) {
  for (const auto& extension : frame.extensions) extension->Write(out);
  if (frame.Empty()) return;
  WriteImageDescriptor(frame, out);
  GifLzwSource source{frame.data,
                      frame.imageDescriptor.width,
                      frame.imageDescriptor.height,
                      frame.imageDescriptor.Interlaced(),
                      widestBits,
                      1 << widestBits};
  if (frame.colorMap.Count() > 0) {
    WriteColorTable(frame.colorMap, out);
    source.bitsPerPixel = frame.colorMap.BitsPerPixel();
    source.colorCount = frame.colorMap.Count();
  }
  WriteGifImageData(source, out);
}

}  // namespace

void GifImage::SaveToStream(std::string& out) const {
  const GifVersion version = Version();
  if (version == GifVersion::kUnknown) throw GifEmptySaveError();
  // Written in place and cut back on failure, so that a failure appends
  // nothing and a success copies nothing.
  const std::size_t start = out.size();
  try {
    out.append(version == GifVersion::k87a ? "GIF87a" : "GIF89a");
    WriteScreen(header_, out);
    const int widestBits = WidestBitsPerPixel(header_, images_);
    for (const GifFrame& frame : images_) WriteFrame(frame, widestBits, out);
    out.push_back(kTrailer);
  } catch (...) {
    out.resize(start);
    throw;
  }
}

}  // namespace texttoxml::pictures
