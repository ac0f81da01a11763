// Encoding the pixel store as IDAT frames: rows formed from the store,
// Sub-filtered into a staging buffer and deflated in large pieces.
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "pictures/png_bytes.h"
#include "pictures/png_header.h"
#include "pictures/png_idat_writer.h"
#include "pictures/png_passes.h"

namespace texttoxml::pictures {

namespace {

constexpr std::size_t kStagingBytes = 256 * 1024;

// One zlib stream cut into IDAT frames of exactly frameSize bytes but the
// last; no frame is empty.
class IdatWriter {
 public:
  IdatWriter(int level, std::size_t frameSize, std::string& out) : frame_(frameSize), out_(out) {
    if (deflateInit2(&stream_, level, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
      throw std::bad_alloc();
    }
    RestartFrame();
  }
  ~IdatWriter() { deflateEnd(&stream_); }
  IdatWriter(const IdatWriter&) = delete;
  IdatWriter& operator=(const IdatWriter&) = delete;

  void Write(const std::uint8_t* data, std::size_t size) {
    stream_.next_in = const_cast<Bytef*>(data);
    stream_.avail_in = static_cast<uInt>(size);
    do {
      deflate(&stream_, Z_NO_FLUSH);
      if (stream_.avail_out == 0) EmitFrame();
    } while (stream_.avail_in > 0);
  }

  void Finish() {
    int result;
    do {
      result = deflate(&stream_, Z_FINISH);
      if (stream_.avail_out == 0) EmitFrame();
    } while (result != Z_STREAM_END);
    if (stream_.avail_out < frame_.size()) EmitFrame();
  }

 private:
  void RestartFrame() {
    stream_.next_out = frame_.data();
    stream_.avail_out = static_cast<uInt>(frame_.size());
  }

  void EmitFrame() {
    const std::size_t used = frame_.size() - stream_.avail_out;
    WriteChunkFrame("IDAT", std::string_view(reinterpret_cast<const char*>(frame_.data()), used),
                    out_);
    RestartFrame();
  }

  z_stream stream_{};
  std::vector<std::uint8_t> frame_;
  std::string& out_;
};

// out[i] = raw[i] - raw[i - step], with raw[j] = 0 for j < 0.
void FilterSub(const std::uint8_t* raw, std::size_t length, std::size_t step, std::uint8_t* out) {
  const std::size_t lead = std::min(step, length);
  std::memcpy(out, raw, lead);
  for (std::size_t i = lead; i < length; ++i) {
    out[i] = static_cast<std::uint8_t>(raw[i] - raw[i - step]);
  }
}

using GatherFunction = void (*)(const ChunkIHDR&, std::uint32_t y, const PngPass&,
                                std::uint32_t count, std::uint8_t* raw);

// Pixels of 8 or 16 bits per sample: the stored channels, then alpha; a
// 16-bit sample is its stored high byte and a low byte of 0.
template <int kChannels, bool kAlpha, bool k16>
void GatherPixels(const ChunkIHDR& header, std::uint32_t y, const PngPass& pass,
                  std::uint32_t count, std::uint8_t* raw) {
  const std::uint8_t* image = header.ImageRow(y);
  const std::uint8_t* alpha = header.AlphaRow(y);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t x = pass.firstColumn + std::size_t{i} * pass.columnStep;
    for (int c = 0; c < kChannels; ++c) {
      *raw++ = image[x * kChannels + c];
      if (k16) *raw++ = 0;
    }
    if (kAlpha) {
      *raw++ = alpha[x];
      if (k16) *raw++ = 0;
    }
  }
}

// Pixels of 1 or 4 bits, packed from the most significant bit.
void GatherCells(const ChunkIHDR& header, std::uint32_t y, const PngPass& pass, std::uint32_t count,
                 std::uint8_t* raw) {
  const int bits = header.StoredBitsPerPixel();
  const std::uint8_t* image = header.ImageRow(y);
  const unsigned mask = (1u << bits) - 1;
  std::memset(raw, 0, PngRowBytes(count, 1, bits));
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t x = pass.firstColumn + std::size_t{i} * pass.columnStep;
    const std::size_t from = x * bits, to = std::size_t{i} * bits;
    const unsigned value = (image[from / 8] >> (8 - bits - from % 8)) & mask;
    raw[to / 8] = static_cast<std::uint8_t>(raw[to / 8] | value << (8 - bits - to % 8));
  }
}

GatherFunction ChooseGather(const ChunkIHDR& header) {
  if (header.StoredBitsPerPixel() < 8) return GatherCells;
  const bool rgb = header.StoredBitsPerPixel() == 24;
  const bool alpha = header.HasAlpha();
  const bool wide = header.Has16BitSamples();
  if (rgb) {
    if (alpha) return wide ? GatherPixels<3, true, true> : GatherPixels<3, true, false>;
    return wide ? GatherPixels<3, false, true> : GatherPixels<3, false, false>;
  }
  if (alpha) return wide ? GatherPixels<1, true, true> : GatherPixels<1, true, false>;
  return wide ? GatherPixels<1, false, true> : GatherPixels<1, false, false>;
}

// Forms, filters and stages the rows of the image, pass by pass.
class RowEncoder {
 public:
  RowEncoder(const ChunkIHDR& header, IdatWriter& writer)
      : header_(header),
        writer_(writer),
        gather_(ChooseGather(header)),
        depth_(header.WrittenBitDepth()),
        channels_(header.Channels()),
        step_(std::max(1, channels_ * depth_ / 8)),
        storeIsRaw_(!header.HasAlpha() && !header.Has16BitSamples()) {}

  void EncodePass(const PngPass& pass) {
    const std::uint32_t columns = pass.Columns(header_.IhdrData().width);
    const std::uint32_t rows = pass.Rows(header_.IhdrData().height);
    if (columns == 0 || rows == 0) return;
    const std::size_t length = PngRowBytes(columns, channels_, depth_);
    const bool whole = pass.firstColumn == 0 && pass.columnStep == 1;
    raw_.resize(length);
    // A small picture needs no full-sized staging buffer; growing keeps
    // the bytes already staged by an earlier pass.
    const std::size_t passBytes = std::size_t{rows} * (length + 1);
    const std::size_t wanted = std::max(length + 1, std::min(kStagingBytes, passBytes));
    if (staging_.size() < wanted) staging_.resize(wanted);
    for (std::uint32_t r = 0; r < rows; ++r) {
      const std::uint32_t y = pass.firstRow + r * pass.rowStep;
      const std::uint8_t* raw = raw_.data();
      if (whole && storeIsRaw_)
        raw = header_.ImageRow(y);
      else
        gather_(header_, y, pass, columns, raw_.data());
      if (used_ + length + 1 > staging_.size()) Flush();
      staging_[used_] = 1;  // filter type Sub
      FilterSub(raw, length, step_, staging_.data() + used_ + 1);
      used_ += length + 1;
    }
  }

  void Flush() {
    if (used_ > 0) writer_.Write(staging_.data(), used_);
    used_ = 0;
  }

 private:
  const ChunkIHDR& header_;
  IdatWriter& writer_;
  GatherFunction gather_;
  int depth_;
  int channels_;
  std::size_t step_;
  bool storeIsRaw_;
  std::vector<std::uint8_t> raw_;
  std::vector<std::uint8_t> staging_;
  std::size_t used_ = 0;
};

}  // namespace

void EncodeImageData(const ChunkIHDR& header, const ImageDataSettings& settings, std::string& out) {
  IdatWriter writer(settings.compressionLevel, settings.maxIdatSize, out);
  RowEncoder encoder(header, writer);
  for (const PngPass& pass : PngPasses(settings.interlaced)) encoder.EncodePass(pass);
  encoder.Flush();
  writer.Finish();
}

}  // namespace texttoxml::pictures
