// Decoding the image data of a PNG file: the zlib stream of consecutive
// IDAT chunks is inflated row by row, each row unfiltered and its pixels put
// into the header's store.

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "pictures/picture_errors.h"
#include "pictures/png_header.h"
#include "pictures/png_idat_reader.h"
#include "pictures/png_passes.h"

namespace texttoxml::pictures {

namespace {

// The data of consecutive IDAT chunks, one chunk at a time.
class IdatSource {
 public:
  IdatSource(PngCursor& cursor, std::uint32_t length)
      : cursor_(cursor), data_(cursor.ReadBytes(length)) {}

  std::string_view Data() const { return data_; }

  // Checks the current chunk's CRC and moves to the next chunk, which must
  // be an IDAT chunk.
  void Next() {
    Close();
    const std::uint32_t length = cursor_.ReadU32();
    if (cursor_.ReadBytes(4) != "IDAT") throw PngMissingMultipleIdatError();
    data_ = cursor_.ReadBytes(length);
  }

  // Checks the current chunk's CRC.
  void Close() { ReadAndCheckCrc(cursor_, "IDAT", data_); }

 private:
  PngCursor& cursor_;
  std::string_view data_;
};

// Inflates the image data on demand.
class Inflater {
 public:
  explicit Inflater(IdatSource& source) : source_(source) {
    const int result = inflateInit(&stream_);
    if (result != Z_OK) throw PngZlibError(result);
    TakeInput();
  }
  ~Inflater() { inflateEnd(&stream_); }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // Fills `out` with `size` bytes; false when the stream ends first.
  bool Read(std::uint8_t* out, std::size_t size) {
    stream_.next_out = out;
    stream_.avail_out = static_cast<uInt>(size);
    while (stream_.avail_out > 0) {
      if (ended_) return false;
      if (stream_.avail_in == 0) {
        source_.Next();
        TakeInput();
        continue;
      }
      const int result = inflate(&stream_, Z_NO_FLUSH);
      if (result == Z_STREAM_END) ended_ = true;
      // A preset dictionary is not allowed in image data.
      else if (result == Z_NEED_DICT)
        throw PngZlibError(Z_DATA_ERROR);
      else if (result < 0)
        throw PngZlibError(result);
    }
    return true;
  }

 private:
  void TakeInput() {
    stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(source_.Data().data()));
    stream_.avail_in = static_cast<uInt>(source_.Data().size());
  }

  IdatSource& source_;
  z_stream stream_{};
  bool ended_ = false;
};

std::uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
  if (pb <= pc) return static_cast<std::uint8_t>(b);
  return static_cast<std::uint8_t>(c);
}

void Unfilter(int type, std::uint8_t* row, const std::uint8_t* prior, std::size_t length,
              std::size_t step) {
  auto left = [&](std::size_t i) -> int { return i >= step ? row[i - step] : 0; };
  auto upLeft = [&](std::size_t i) -> int { return i >= step ? prior[i - step] : 0; };
  switch (type) {
    case 0:
      return;
    case 1:
      for (std::size_t i = step; i < length; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + row[i - step]);
      return;
    case 2:
      for (std::size_t i = 0; i < length; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + prior[i]);
      return;
    case 3:
      for (std::size_t i = 0; i < length; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + (left(i) + prior[i]) / 2);
      return;
    case 4:
      for (std::size_t i = 0; i < length; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + Paeth(left(i), prior[i], upLeft(i)));
      return;
    default:
      throw PngUnknownFilterError(type);
  }
}

using ScatterFunction = void (*)(ChunkIHDR&, std::uint32_t y, const PngPass&, std::uint32_t count,
                                 const std::uint8_t* raw);

// Pixels of 8 or 16 bits per sample: high bytes into the store, alpha into
// the alpha store, the low bytes of grey or colour samples into the store
// of low bytes.
template <int kChannels, bool kAlpha, bool k16>
void ScatterPixels(ChunkIHDR& header, std::uint32_t y, const PngPass& pass, std::uint32_t count,
                   const std::uint8_t* raw) {
  std::uint8_t* image = header.ImageRow(y);
  std::uint8_t* alpha = header.AlphaRow(y);
  std::uint8_t* extra = header.ExtraRow(y);
  constexpr int kSampleBytes = k16 ? 2 : 1;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t x = pass.firstColumn + std::size_t{i} * pass.columnStep;
    for (int c = 0; c < kChannels; ++c) {
      image[x * kChannels + c] = raw[0];
      if (k16) extra[x * kChannels + c] = raw[1];
      raw += kSampleBytes;
    }
    if (kAlpha) {
      alpha[x] = raw[0];
      raw += kSampleBytes;
    }
  }
}

// Pixels of 1, 2 or 4 bits. 2-bit values go into 4-bit cells: grey levels
// scaled to the 4-bit range, palette indices unchanged.
void ScatterCells(ChunkIHDR& header, std::uint32_t y, const PngPass& pass, std::uint32_t count,
                  const std::uint8_t* raw) {
  const int depth = header.IhdrData().bitDepth;
  const int cell = header.StoredBitsPerPixel();
  const unsigned scale = header.IhdrData().colorType == kPngGrey && depth == 2 ? 5 : 1;
  const unsigned mask = (1u << depth) - 1;
  std::uint8_t* image = header.ImageRow(y);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t from = std::size_t{i} * depth;
    const std::size_t x = pass.firstColumn + std::size_t{i} * pass.columnStep;
    const std::size_t to = x * cell;
    const unsigned value = ((raw[from / 8] >> (8 - depth - from % 8)) & mask) * scale;
    image[to / 8] = static_cast<std::uint8_t>(image[to / 8] | value << (8 - cell - to % 8));
  }
}

ScatterFunction ChooseScatter(const ChunkIHDR& header) {
  if (header.IhdrData().bitDepth < 8) return ScatterCells;
  const bool rgb = header.StoredBitsPerPixel() == 24;
  const bool alpha = header.HasAlpha();
  const bool wide = header.Has16BitSamples();
  if (rgb) {
    if (alpha) return wide ? ScatterPixels<3, true, true> : ScatterPixels<3, true, false>;
    return wide ? ScatterPixels<3, false, true> : ScatterPixels<3, false, false>;
  }
  if (alpha) return wide ? ScatterPixels<1, true, true> : ScatterPixels<1, true, false>;
  return wide ? ScatterPixels<1, false, true> : ScatterPixels<1, false, false>;
}

class RowDecoder {
 public:
  explicit RowDecoder(ChunkIHDR& header)
      : header_(header),
        scatter_(ChooseScatter(header)),
        depth_(header.IhdrData().bitDepth),
        channels_(header.Channels()),
        step_(std::max(1, channels_ * depth_ / 8)),
        rowIsStore_(!header.HasAlpha() && !header.Has16BitSamples() &&
                    depth_ * channels_ == header.StoredBitsPerPixel()) {}

  // False when the image data ends before the pass does.
  bool DecodePass(const PngPass& pass, Inflater& inflater) {
    const std::uint32_t columns = pass.Columns(header_.IhdrData().width);
    const std::uint32_t rows = pass.Rows(header_.IhdrData().height);
    if (columns == 0 || rows == 0) return true;
    const std::size_t length = PngRowBytes(columns, channels_, depth_);
    const bool whole = pass.firstColumn == 0 && pass.columnStep == 1;
    prior_.assign(length + 1, 0);
    current_.resize(length + 1);
    for (std::uint32_t r = 0; r < rows; ++r) {
      if (!inflater.Read(current_.data(), length + 1)) return false;
      std::uint8_t* raw = current_.data() + 1;
      Unfilter(current_[0], raw, prior_.data() + 1, length, step_);
      const std::uint32_t y = pass.firstRow + r * pass.rowStep;
      if (whole && rowIsStore_)
        std::memcpy(header_.ImageRow(y), raw, length);
      else
        scatter_(header_, y, pass, columns, raw);
      std::swap(prior_, current_);
    }
    return true;
  }

 private:
  ChunkIHDR& header_;
  ScatterFunction scatter_;
  int depth_;
  int channels_;
  std::size_t step_;
  bool rowIsStore_;
  std::vector<std::uint8_t> prior_;
  std::vector<std::uint8_t> current_;
};

}  // namespace

void DecodeImageData(PngCursor& cursor, std::uint32_t length, ChunkIHDR& header) {
  IdatSource source(cursor, length);
  Inflater inflater(source);
  RowDecoder decoder(header);
  for (const PngPass& pass : PngPasses(header.IhdrData().interlaceMethod == 1)) {
    if (!decoder.DecodePass(pass, inflater)) break;
  }
  source.Close();
}

}  // namespace texttoxml::pictures
