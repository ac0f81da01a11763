#include "pictures/png_image.h"

#include <algorithm>

#include "pictures/bitmap.h"
#include "pictures/picture_errors.h"
#include "pictures/png_bytes.h"
#include "pictures/png_from_bitmap.h"
#include "pictures/png_reader.h"

namespace texttoxml::pictures {

namespace {

// A transparent bitmap's transparent colour: its bottom-left pixel.
PaletteEntry TransparentColorOf(const Bitmap& bitmap) {
  if (!bitmap.Transparent() || bitmap.Width() <= 0 || bitmap.Height() <= 0) return {};
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(bitmap.Width()) * 3);
  bitmap.RowToRgb(bitmap.Height() - 1, rgb.data());
  return {rgb[0], rgb[1], rgb[2]};
}

}  // namespace

std::unique_ptr<Graphic> PngImage::CreateNew() const {
  return std::make_unique<PngImage>();
}

void PngImage::Assign(const Graphic& source) {
  if (&source == this) return;
  if (const auto* png = dynamic_cast<const PngImage*>(&source)) {
    CopyFrom(*png);
  } else if (const auto* bitmap = dynamic_cast<const Bitmap*>(&source)) {
    AssignHandle(*bitmap, bitmap->Transparent(), TransparentColorOf(*bitmap));
  } else {
    throw ConvertError(source.ClassName(), ClassName());
  }
}

void PngImage::AssignHandle(const Bitmap& bitmap, bool transparent, PaletteEntry transparentColor) {
  chunks_ = PngChunksFromBitmap(bitmap, transparent, transparentColor);
  interlaceMethod_ = InterlaceMethod::None;
}

void PngImage::CopyFrom(const PngImage& source) {
  std::vector<std::unique_ptr<Chunk>> chunks;
  chunks.reserve(source.chunks_.size());
  for (const auto& chunk : source.chunks_) {
    chunks.push_back(chunk->CreateNew());
    chunks.back()->Assign(*chunk);
  }
  chunks_ = std::move(chunks);
  interlaceMethod_ = source.interlaceMethod_;
  SetMaxIdatSize(source.maxIdatSize_);
}

int PngImage::Width() const {
  return Empty() ? 0 : static_cast<int>(Header()->IhdrData().width);
}

int PngImage::Height() const {
  return Empty() ? 0 : static_cast<int>(Header()->IhdrData().height);
}

void PngImage::LoadFromBytes(std::string_view bytes) {
  chunks_ = ReadPngChunks(bytes);
  interlaceMethod_ = Header()->IhdrData().interlaceMethod == 1 ? InterlaceMethod::Adam7
                                                               : InterlaceMethod::None;
}

void PngImage::SaveToStream(std::string& out) const {
  out += kPngSignature;
  for (const auto& chunk : chunks_) chunk->Save(*this, out);
}

void PngImage::SetMaxIdatSize(int size) {
  maxIdatSize_ = std::max(size, kMinIdatSize);
}

const ChunkIHDR* PngImage::Header() const {
  return chunks_.empty() ? nullptr : dynamic_cast<const ChunkIHDR*>(chunks_.front().get());
}

}  // namespace texttoxml::pictures
