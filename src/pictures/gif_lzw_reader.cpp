#include "pictures/gif_lzw.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "pictures/gif_blocks.h"
#include "pictures/picture_errors.h"

namespace texttoxml::pictures {

namespace {

constexpr int kTableSize = 4096;  // codes are at most 12 bits wide
constexpr int kMaxCodeWidth = 12;

// Reads codes least significant bit first from a chain of sub-blocks.
class CodeReader {
 public:
  explicit CodeReader(const std::vector<std::string_view>& blocks) : blocks_(blocks) {}

  bool Read(int width, int& code) {
    while (bitCount_ < width) {
      int byte = NextByte();
      if (byte < 0) return false;
      bits_ |= static_cast<std::uint32_t>(byte) << bitCount_;
      bitCount_ += 8;
    }
    code = static_cast<int>(bits_ & ((1u << width) - 1));
    bits_ >>= width;
    bitCount_ -= width;
    return true;
  }

 private:
  int NextByte() {
    while (next_ == end_) {
      if (block_ == blocks_.size()) return -1;
      next_ = reinterpret_cast<const std::uint8_t*>(blocks_[block_].data());
      end_ = next_ + blocks_[block_].size();
      ++block_;
    }
    return *next_++;
  }

  const std::vector<std::string_view>& blocks_;
  std::size_t block_ = 0;  // the next block to read from
  const std::uint8_t* next_ = nullptr;
  const std::uint8_t* end_ = nullptr;
  std::uint32_t bits_ = 0;
  int bitCount_ = 0;
};

// Places decoded bytes into the frame's rows in data order.
class RowSink {
 public:
  RowSink(std::uint8_t* pixels, int width, int height, bool interlaced)
      : pixels_(pixels),
        width_(static_cast<std::size_t>(width)),
        rows_(width > 0 ? GifRowOrder(height, interlaced) : std::vector<int>()) {}

  bool Full() const { return row_ >= rows_.size(); }

  // Where `count` bytes go when they fit in the rest of the current row,
  // else null; Advance then takes them.
  std::uint8_t* Room(std::size_t count) {
    if (Full() || count > width_ - x_) return nullptr;
    return pixels_ + static_cast<std::size_t>(rows_[row_]) * width_ + x_;
  }

  void Advance(std::size_t count) {
    x_ += count;
    if (x_ == width_) {
      x_ = 0;
      ++row_;
    }
  }

  void Put(const std::uint8_t* bytes, std::size_t count) {
    while (count > 0 && !Full()) {
      std::size_t n = std::min(count, width_ - x_);
      std::memcpy(pixels_ + static_cast<std::size_t>(rows_[row_]) * width_ + x_, bytes, n);
      bytes += n;
      count -= n;
      Advance(n);
    }
  }

 private:
  std::uint8_t* pixels_;
  std::size_t width_;
  std::vector<int> rows_;
  std::size_t row_ = 0;
  std::size_t x_ = 0;
};

// The string table of the decoder. Every entry extends an older code, so
// prefix chains always lead down to a literal and never loop.
class DecoderTable {
 public:
  explicit DecoderTable(int minCodeSize) : minCodeSize_(minCodeSize), clear_(1 << minCodeSize) {
    Reset();
  }

  int ClearCode() const { return clear_; }
  int EndCode() const { return clear_ + 1; }
  int CodeWidth() const { return width_; }

  void Reset() {
    next_ = clear_ + 2;
    width_ = minCodeSize_ + 1;
    previous_ = -1;
  }

  // The length of the string of `code`; for the code about to be defined,
  // the previous string and its first byte.
  int StringLength(int code) const {
    if (code < clear_) {
      if (code > 0xFF) throw GifInvalidDataError();
      return 1;
    }
    if (code < next_) return length_[code];
    if (code == next_ && previous_ < 0) {
      throw GifCircularEntryError();
    }
    if (code > next_ || next_ >= kTableSize) throw GifInvalidDataError();
    return Length(previous_) + 1;
  }

  // Writes the string of `code`, `length` bytes as StringLength told, into
  // `out`.
  void WriteString(int code, int length, std::uint8_t* out) const {
    if (code == next_) {
      WriteString(previous_, length - 1, out);
      out[length - 1] = out[0];
      return;
    }
    int position = length;
    while (code >= clear_) {
      out[--position] = suffix_[code];
      code = prefix_[code];
    }
    out[0] = static_cast<std::uint8_t>(code);
  }

  // Records the string just decoded: the previous one plus its first byte.
  // The code width grows as soon as the next code might need the extra bit.
  void Learn(int code, std::uint8_t firstByte) {
    if (previous_ >= 0 && next_ < kTableSize) {
      prefix_[next_] = static_cast<std::uint16_t>(previous_);
      suffix_[next_] = firstByte;
      length_[next_] = static_cast<std::uint16_t>(Length(previous_) + 1);
      ++next_;
    }
    if (next_ >= (1 << width_) && width_ < kMaxCodeWidth) ++width_;
    previous_ = code;
  }

 private:
  int Length(int code) const { return code < clear_ ? 1 : length_[code]; }

  int minCodeSize_;
  int clear_;
  int next_ = 0;
  int width_ = 0;
  int previous_ = -1;
  std::array<std::uint16_t, kTableSize> prefix_{};
  std::array<std::uint8_t, kTableSize> suffix_{};
  std::array<std::uint16_t, kTableSize> length_{};
};

}  // namespace

std::vector<int> GifRowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(std::max(height, 0)));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  static constexpr int kStart[] = {0, 4, 2, 1};
  static constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < height; y += kStep[pass]) rows.push_back(y);
  }
  return rows;
}

GifLzwEnd DecodeGifLzw(const std::vector<std::string_view>& blocks, int minCodeSize, int width,
                       int height, bool interlaced, std::uint8_t* pixels) {
  auto table = std::make_unique<DecoderTable>(minCodeSize);
  CodeReader codes(blocks);
  RowSink sink(pixels, width, height, interlaced);
  std::array<std::uint8_t, kTableSize + 1> string;
  while (!sink.Full()) {
    int code = 0;
    if (!codes.Read(table->CodeWidth(), code)) return GifLzwEnd::kOutOfData;
    if (code == table->ClearCode()) {
      table->Reset();
      continue;
    }
    if (code == table->EndCode()) return GifLzwEnd::kEndCode;
    // Straight into the row when the string fits there.
    const auto length = static_cast<std::size_t>(table->StringLength(code));
    std::uint8_t* room = sink.Room(length);
    std::uint8_t* target = room != nullptr ? room : string.data();
    table->WriteString(code, static_cast<int>(length), target);
    table->Learn(code, target[0]);
    if (room != nullptr) {
      sink.Advance(length);
    } else {
      sink.Put(string.data(), length);
    }
  }
  return GifLzwEnd::kComplete;
}

}  // namespace texttoxml::pictures
