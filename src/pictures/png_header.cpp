#include "pictures/png_header.h"

#include "pictures/limits.h"
#include "pictures/picture_errors.h"
#include "pictures/png_bytes.h"
#include "pictures/png_image.h"

namespace texttoxml::pictures {

namespace {

constexpr std::uint32_t kMaxDimension = 65535;

bool IsValidFormat(int colorType, int bitDepth) {
  switch (colorType) {
    case kPngGrey:
      return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
    case kPngPalette:
      return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case kPngRgb:
    case kPngGreyAlpha:
    case kPngRgbAlpha:
      return bitDepth == 8 || bitDepth == 16;
    default:
      return false;
  }
}

void CheckHeader(const IHDRData& header) {
  if (header.width > kMaxDimension || header.height > kMaxDimension) {
    throw PngSizeExceedsError();
  }
  if (header.width == 0 || header.height == 0) throw PngInvalidIhdrError();
  if (header.compressionMethod != 0) throw PngUnknownCompressionError();
  if (header.interlaceMethod > 1) throw PngUnknownInterlaceError();
  if (!IsValidFormat(header.colorType, header.bitDepth)) {
    throw PngInvalidFormatError(header.colorType, header.bitDepth);
  }
}

}  // namespace

std::size_t PngRowBytes(std::uint64_t pixels, int channels, int bitDepth) {
  return static_cast<std::size_t>((pixels * channels * bitDepth + 7) / 8);
}

std::unique_ptr<Chunk> ChunkIHDR::CreateNew() const {
  return std::make_unique<ChunkIHDR>();
}

void ChunkIHDR::Assign(const Chunk& source) {
  const auto& header = CompatibleChunk<ChunkIHDR>(source);
  Chunk::Assign(source);
  header_ = header.header_;
  storedBits_ = header.storedBits_;
  rowBytes_ = header.rowBytes_;
  stores_ = header.stores_;
}

std::uint64_t ChunkIHDR::StoreBytes() const {
  return stores_->image.size() + stores_->alpha.size() + stores_->extra.size();
}

void ChunkIHDR::Load(std::string_view data, ChunkLoadContext& context) {
  if (data.size() < 13) throw PngInvalidIhdrError();
  Chunk::Load(data, context);
  IHDRData header;
  header.width = ReadU32Be(data, 0);
  header.height = ReadU32Be(data, 4);
  header.bitDepth = static_cast<std::uint8_t>(data[8]);
  header.colorType = static_cast<std::uint8_t>(data[9]);
  header.compressionMethod = static_cast<std::uint8_t>(data[10]);
  header.filterMethod = static_cast<std::uint8_t>(data[11]);
  header.interlaceMethod = static_cast<std::uint8_t>(data[12]);
  Prepare(header);
}

void ChunkIHDR::Prepare(const IHDRData& header) {
  CheckHeader(header);
  const int storedBits = header.colorType == kPngRgb || header.colorType == kPngRgbAlpha ? 24
                         : header.bitDepth == 16                                         ? 8
                         : header.bitDepth == 2                                          ? 4
                                                : header.bitDepth;
  const bool hasAlpha = header.colorType == kPngGreyAlpha || header.colorType == kPngRgbAlpha;
  const bool has16 = header.bitDepth == 16;
  CheckImageSize(header.width, header.height, storedBits * (has16 ? 2 : 1) + (hasAlpha ? 8 : 0));
  header_ = header;
  storedBits_ = storedBits;
  rowBytes_ = PngRowBytes(header.width, 1, storedBits);
  const std::size_t pixels = std::size_t{header.width} * header.height;
  auto stores = std::make_shared<Stores>();
  stores->image.assign(rowBytes_ * header.height, 0);
  stores->alpha.assign(hasAlpha ? pixels : 0, 0);
  stores->extra.assign(has16 ? stores->image.size() : 0, 0);
  stores_ = std::move(stores);
}

void ChunkIHDR::Save(const PngImage& owner, std::string& out) const {
  std::string data;
  AppendU32Be(data, header_.width);
  AppendU32Be(data, header_.height);
  data += static_cast<char>(WrittenBitDepth());
  data += static_cast<char>(header_.colorType);
  data += static_cast<char>(header_.compressionMethod);
  data += static_cast<char>(header_.filterMethod);
  data += static_cast<char>(owner.Interlace() == InterlaceMethod::Adam7 ? 1 : 0);
  WriteChunkFrame(Name(), data, out);
}

int ChunkIHDR::WrittenBitDepth() const {
  return header_.bitDepth == 2 ? 4 : header_.bitDepth;
}

int ChunkIHDR::Channels() const {
  switch (header_.colorType) {
    case kPngRgb:
      return 3;
    case kPngGreyAlpha:
      return 2;
    case kPngRgbAlpha:
      return 4;
    default:
      return 1;
  }
}

ChunkIHDR::Stores& ChunkIHDR::Own() {
  if (stores_.use_count() > 1) stores_ = std::make_shared<Stores>(*stores_);
  return *stores_;
}

std::uint8_t* ChunkIHDR::AlphaRow(std::uint32_t y) {
  std::vector<std::uint8_t>& alpha = Own().alpha;
  return alpha.empty() ? nullptr : alpha.data() + std::size_t{y} * header_.width;
}

const std::uint8_t* ChunkIHDR::AlphaRow(std::uint32_t y) const {
  const std::vector<std::uint8_t>& alpha = stores_->alpha;
  return alpha.empty() ? nullptr : alpha.data() + std::size_t{y} * header_.width;
}

std::uint8_t* ChunkIHDR::ExtraRow(std::uint32_t y) {
  std::vector<std::uint8_t>& extra = Own().extra;
  return extra.empty() ? nullptr : extra.data() + y * rowBytes_;
}

const std::uint8_t* ChunkIHDR::ExtraRow(std::uint32_t y) const {
  const std::vector<std::uint8_t>& extra = stores_->extra;
  return extra.empty() ? nullptr : extra.data() + y * rowBytes_;
}

}  // namespace texttoxml::pictures
