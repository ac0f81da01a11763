#include "pictures/png_chunks.h"

#include <zlib.h>

#include <algorithm>

#include "pictures/picture_errors.h"
#include "pictures/png_bytes.h"
#include "pictures/png_header.h"
#include "pictures/png_idat_writer.h"
#include "pictures/png_image.h"

namespace texttoxml::pictures {

namespace {

// Inflates a zlib stream, handing each piece of output to `take`. Gives up
// (false) on invalid data, a truncated stream or more than `limit` bytes;
// `total` is then what was produced before.
template <class Take>
bool InflatePieces(std::string_view compressed, std::uint64_t limit, std::uint64_t& total,
                   Take take) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  char buffer[16384];
  int result = Z_OK;
  total = 0;
  while (result == Z_OK) {
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = sizeof buffer;
    result = inflate(&stream, Z_NO_FLUSH);
    const std::size_t produced = sizeof buffer - stream.avail_out;
    if (total + produced > limit) {
      result = Z_BUF_ERROR;
    } else {
      take(buffer, produced);
      total += produced;
    }
  }
  inflateEnd(&stream);
  return result == Z_STREAM_END;
}

// Inflates a zlib stream into `out` of at most `limit` bytes, or gives up
// (false). The stream is inflated twice, first only to count: a string that
// grows while it fills would for a moment hold its old and new stores, half
// as much again as the text, and the text may be hundreds of megabytes.
bool InflateText(std::string_view compressed, std::uint64_t limit, std::string& out) {
  std::uint64_t size = 0;
  if (!InflatePieces(compressed, limit, size, [](const char*, std::size_t) {})) return false;
  out.reserve(static_cast<std::size_t>(size));
  return InflatePieces(compressed, size, size, [&out](const char* piece, std::size_t length) {
    out.append(piece, length);
  });
}

// Deflates piece by piece into `out`: the one-call form needs an output
// store of the text's own size up front. At the graphic's compression level
// (7) the stream is the same byte for byte; only stored blocks (level 0)
// would be cut by the output store's size.
std::string DeflateText(std::string_view text, int level) {
  z_stream stream{};
  deflateInit(&stream, level);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  std::string out;
  char buffer[65536];
  int result = Z_OK;
  while (result == Z_OK) {
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = sizeof buffer;
    result = deflate(&stream, Z_FINISH);
    out.append(buffer, sizeof buffer - stream.avail_out);
  }
  deflateEnd(&stream);
  return out;
}

}  // namespace

// PLTE

std::unique_ptr<Chunk> ChunkPLTE::CreateNew() const {
  return std::make_unique<ChunkPLTE>();
}

void ChunkPLTE::Assign(const Chunk& source) {
  const auto& palette = CompatibleChunk<ChunkPLTE>(source);
  Chunk::Assign(source);
  entries_ = palette.entries_;
}

void ChunkPLTE::Load(std::string_view data, ChunkLoadContext& context) {
  if (data.size() % 3 != 0 || data.size() > 768) throw PngInvalidPaletteError();
  Chunk::Load(data, context);
  entries_.clear();
  for (std::size_t i = 0; i < data.size(); i += 3) {
    entries_.push_back({static_cast<std::uint8_t>(data[i]), static_cast<std::uint8_t>(data[i + 1]),
                        static_cast<std::uint8_t>(data[i + 2])});
  }
}

void ChunkPLTE::SetEntries(std::vector<PaletteEntry> entries) {
  entries_ = std::move(entries);
}

void ChunkPLTE::Save(const PngImage& owner, std::string& out) const {
  std::vector<PaletteEntry> written = entries_;
  const ChunkIHDR* header = owner.Header();
  if (written.empty() && header != nullptr && header->IhdrData().colorType == kPngPalette) {
    written.resize(std::size_t{1} << header->WrittenBitDepth());
  }
  std::string data;
  data.reserve(written.size() * 3);
  for (const PaletteEntry& entry : written) {
    data += static_cast<char>(entry.red);
    data += static_cast<char>(entry.green);
    data += static_cast<char>(entry.blue);
  }
  WriteChunkFrame(Name(), data, out);
}

// tRNS

ChunktRNS::ChunktRNS() : Chunk("tRNS") {
  values_.fill(255);
}

std::unique_ptr<Chunk> ChunktRNS::CreateNew() const {
  return std::make_unique<ChunktRNS>();
}

void ChunktRNS::Assign(const Chunk& source) {
  const auto& transparency = CompatibleChunk<ChunktRNS>(source);
  Chunk::Assign(source);
  values_ = transparency.values_;
  bitTransparency_ = transparency.bitTransparency_;
}

void ChunktRNS::Load(std::string_view data, ChunkLoadContext& context) {
  if (data.size() > values_.size()) throw PngInvalidPaletteError();
  std::string held(data);
  const IHDRData* header = context.header != nullptr ? &context.header->IhdrData() : nullptr;
  const int colorType = header != nullptr ? header->colorType : -1;
  // A 2-bit grey image is held and written with 4-bit grey levels, so its
  // transparent level moves to the same scale.
  if (colorType == kPngGrey && header->bitDepth == 2 && held.size() == 2 &&
      ReadU16Be(held, 0) <= 3) {
    held[1] = static_cast<char>(held[1] * 5);
  }
  values_.fill(255);
  std::copy(held.begin(), held.end(), values_.begin());
  if (colorType == kPngPalette) {
    bitTransparency_ = std::any_of(held.begin(), held.end(),
                                   [](char c) { return static_cast<std::uint8_t>(c) != 255; });
  } else {
    bitTransparency_ = colorType == kPngGrey || colorType == kPngRgb;
  }
  Chunk::Load(held, context);
}

void ChunktRNS::Save(const PngImage& owner, std::string& out) const {
  std::string data = Data();
  const ChunkIHDR* header = owner.Header();
  if (header != nullptr && header->Has16BitSamples()) {
    for (std::size_t i = 1; i < data.size(); i += 2) data[i] = '\0';
  }
  WriteChunkFrame(Name(), data, out);
}

// gAMA

std::unique_ptr<Chunk> ChunkgAMA::CreateNew() const {
  return std::make_unique<ChunkgAMA>();
}

void ChunkgAMA::Assign(const Chunk& source) {
  Chunk::Assign(CompatibleChunk<ChunkgAMA>(source));
}

std::uint32_t ChunkgAMA::Gamma() const {
  return DataSize() == 4 ? ReadU32Be(Data(), 0) : 0;
}

// pHYs

std::unique_ptr<Chunk> ChunkpHYs::CreateNew() const {
  return std::make_unique<ChunkpHYs>();
}

void ChunkpHYs::Assign(const Chunk& source) {
  const auto& size = CompatibleChunk<ChunkpHYs>(source);
  Chunk::Assign(source);
  ppUnitX_ = size.ppUnitX_;
  ppUnitY_ = size.ppUnitY_;
  unitType_ = size.unitType_;
}

void ChunkpHYs::Load(std::string_view data, ChunkLoadContext& context) {
  Chunk::Load(data, context);
  if (data.size() != 9) return;
  ppUnitX_ = ReadU32Be(data, 0);
  ppUnitY_ = ReadU32Be(data, 4);
  unitType_ = static_cast<std::uint8_t>(data[8]);
}

void ChunkpHYs::Save(const PngImage&, std::string& out) const {
  std::string data;
  AppendU32Be(data, ppUnitX_);
  AppendU32Be(data, ppUnitY_);
  data += static_cast<char>(unitType_);
  WriteChunkFrame(Name(), data, out);
}

// tIME

std::unique_ptr<Chunk> ChunktIME::CreateNew() const {
  return std::make_unique<ChunktIME>();
}

void ChunktIME::Assign(const Chunk& source) {
  const auto& time = CompatibleChunk<ChunktIME>(source);
  Chunk::Assign(source);
  time_ = time.time_;
}

void ChunktIME::Load(std::string_view data, ChunkLoadContext& context) {
  Chunk::Load(data, context);
  if (data.size() != 7) return;
  auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(data[i]); };
  time_ = {ReadU16Be(data, 0), byte(2), byte(3), byte(4), byte(5), byte(6)};
}

void ChunktIME::Save(const PngImage&, std::string& out) const {
  std::string data;
  AppendU16Be(data, time_.year);
  for (std::uint8_t field : {time_.month, time_.day, time_.hour, time_.minute, time_.second}) {
    data += static_cast<char>(field);
  }
  WriteChunkFrame(Name(), data, out);
}

// tEXt

std::unique_ptr<Chunk> ChunktEXt::CreateNew() const {
  return std::make_unique<ChunktEXt>();
}

void ChunktEXt::Assign(const Chunk& source) {
  const auto& text = CompatibleChunk<ChunktEXt>(source);
  Chunk::Assign(source);
  keyword_ = text.keyword_;
  text_ = text.text_;
}

std::string_view ChunktEXt::TakeKeyword(std::string_view data) {
  const std::size_t zero = data.find('\0');
  keyword_ = data.substr(0, zero);
  return zero == std::string_view::npos ? std::string_view() : data.substr(zero + 1);
}

void ChunktEXt::Load(std::string_view data, ChunkLoadContext& context) {
  Chunk::Load(data, context);
  if (data.size() > 2) SetText(std::string(TakeKeyword(data)));
}

void ChunktEXt::Save(const PngImage&, std::string& out) const {
  WriteChunkFrame(Name(), keyword_ + '\0' + Text(), out);
}

// zTXt

std::unique_ptr<Chunk> ChunkzTXt::CreateNew() const {
  return std::make_unique<ChunkzTXt>();
}

void ChunkzTXt::Assign(const Chunk& source) {
  ChunktEXt::Assign(CompatibleChunk<ChunkzTXt>(source));
}

void ChunkzTXt::Load(std::string_view data, ChunkLoadContext& context) {
  Chunk::Load(data, context);
  if (data.size() <= 3) return;
  const std::string_view rest = TakeKeyword(data);
  const bool deflated = !rest.empty() && rest[0] == '\0';
  std::string text;
  if (deflated && InflateText(rest.substr(1), context.textBudget, text)) {
    context.textBudget -= text.size();
    SetText(std::move(text));
  }
}

void ChunkzTXt::Save(const PngImage& owner, std::string& out) const {
  std::string data = Keyword();
  data += '\0';
  data += '\0';  // compression method: deflate
  const std::string_view text = Text().empty() ? std::string_view(" ") : std::string_view(Text());
  data += DeflateText(text, owner.CompressionLevel());
  WriteChunkFrame(Name(), data, out);
}

// IDAT and IEND

std::unique_ptr<Chunk> ChunkIDAT::CreateNew() const {
  return std::make_unique<ChunkIDAT>();
}

void ChunkIDAT::Save(const PngImage& owner, std::string& out) const {
  const ImageDataSettings settings{owner.CompressionLevel(),
                                   owner.Interlace() == InterlaceMethod::Adam7,
                                   static_cast<std::size_t>(owner.MaxIdatSize())};
  EncodeImageData(*owner.Header(), settings, out);
}

std::unique_ptr<Chunk> ChunkIEND::CreateNew() const {
  return std::make_unique<ChunkIEND>();
}

void ChunkIEND::Save(const PngImage&, std::string& out) const {
  WriteChunkFrame(Name(), {}, out);
}

}  // namespace texttoxml::pictures
