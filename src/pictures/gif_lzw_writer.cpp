#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "pictures/gif_blocks.h"
#include "pictures/gif_lzw.h"
#include "pictures/picture_errors.h"

namespace texttoxml::pictures {

namespace {

// The encoder starts a fresh table rather than define this code, so the
// decoder's table never fills up.
constexpr int kLastFreeCode = 4095;
constexpr int kMaxCodeWidth = 12;

// Packs codes least significant bit first into sub-blocks of at most 255
// bytes, each gathered in a small buffer and appended to `out` when full.
// Room for the longest possible encoding is reserved up front but never
// touched, so only what is written costs memory.
class CodeWriter {
 public:
  CodeWriter(std::string& out, std::size_t maxCodes) : out_(out) {
    const std::size_t codeBytes = (maxCodes * std::size_t{kMaxCodeWidth} + 7) / 8;
    out_.reserve(out_.size() + codeBytes + codeBytes / kMaxSubBlock + 2);
  }

  void Put(int code, int width) {
    bits_ |= static_cast<std::uint32_t>(code) << bitCount_;
    bitCount_ += width;
    while (bitCount_ >= 8) {
      PutByte(static_cast<char>(bits_ & 0xFF));
      bits_ >>= 8;
      bitCount_ -= 8;
    }
  }

  // Fills the last byte with zero bits and ends the sub-blocks.
  void Finish() {
    if (bitCount_ > 0) PutByte(static_cast<char>(bits_ & 0xFF));
    AppendBlock();
    out_.push_back('\0');
  }

 private:
  static constexpr std::size_t kMaxSubBlock = 255;

  void PutByte(char byte) {
    block_[++blockFill_] = byte;
    if (blockFill_ == kMaxSubBlock) AppendBlock();
  }

  void AppendBlock() {
    if (blockFill_ == 0) return;
    block_[0] = static_cast<char>(blockFill_);
    out_.append(block_.data(), blockFill_ + 1);
    blockFill_ = 0;
  }

  std::string& out_;
  std::array<char, 1 + kMaxSubBlock> block_{};  // the size byte, then the data
  std::size_t blockFill_ = 0;
  std::uint32_t bits_ = 0;
  int bitCount_ = 0;
};

// Open-addressing hash of the strings defined so far, keyed by (prefix
// code, next byte). Half full at most, since fewer than 4096 codes exist.
// Key and code share one 32-bit slot, so a probe reads one word.
class StringTable {
 public:
  StringTable() { Reset(); }

  void Reset() { slots_.fill(kFree); }

  // The code of prefix + byte, or -1; `slot` is where to add it if absent.
  int Find(int prefix, std::uint8_t byte, std::size_t& slot) const {
    const std::uint32_t key = Key(prefix, byte);
    slot = (key * 0x9E3779B1u) >> (32 - kBits);
    while (slots_[slot] != kFree) {
      if (slots_[slot] >> kCodeBits == key) return static_cast<int>(slots_[slot] & kCodeMask);
      slot = (slot + 1) & (kSlots - 1);
    }
    return -1;
  }

  void Add(std::size_t slot, int prefix, std::uint8_t byte, int code) {
    slots_[slot] = Key(prefix, byte) << kCodeBits | static_cast<std::uint32_t>(code);
  }

 private:
  static constexpr int kBits = 13;
  static constexpr std::size_t kSlots = std::size_t{1} << kBits;
  static constexpr int kCodeBits = 12;
  static constexpr std::uint32_t kCodeMask = (1u << kCodeBits) - 1;
  // Prefix 4095 never occurs (the table restarts before defining it), so
  // no entry has all bits set.
  static constexpr std::uint32_t kFree = 0xFFFFFFFF;

  static std::uint32_t Key(int prefix, std::uint8_t byte) {
    return static_cast<std::uint32_t>(prefix) << 8 | byte;
  }

  std::array<std::uint32_t, kSlots> slots_;
};

class Encoder {
 public:
  Encoder(int minCodeSize, std::string& out, std::size_t pixels)
      : minCodeSize_(minCodeSize),
        clear_(1 << minCodeSize),
        next_(clear_ + 2),
        width_(minCodeSize + 1),
        // One code per pixel at most, a clear code per table, the end code.
        writer_(out, pixels + pixels / 1024 + 4) {}

  void Start(std::uint8_t firstPixel) {
    Emit(clear_);
    current_ = firstPixel;
  }

  void Add(std::uint8_t pixel) {
    std::size_t slot = 0;
    int code = table_.Find(current_, pixel, slot);
    if (code >= 0) {
      current_ = code;
      return;
    }
    Emit(current_);
    if (next_ >= kLastFreeCode) {
      Emit(clear_);
      table_.Reset();
      next_ = clear_ + 2;
    } else {
      table_.Add(slot, current_, pixel, next_++);
    }
    current_ = pixel;
  }

  void Finish() {
    Emit(current_);
    Emit(clear_ + 1);
    writer_.Finish();
  }

 private:
  // The width a code is written in follows the table's size as the decoder
  // will know it when it reads the next code.
  void Emit(int code) {
    writer_.Put(code, width_);
    if (code == clear_) {
      width_ = minCodeSize_ + 1;
    } else if (next_ > (1 << width_) - 1 && width_ < kMaxCodeWidth) {
      ++width_;
    }
  }

  int minCodeSize_;
  int clear_;
  int next_;
  int width_;
  int current_ = 0;
  CodeWriter writer_;
  StringTable table_;
};

// Checked in one pass before encoding, which keeps the test out of the
// encoder's loop.
void CheckIndices(std::span<const std::uint8_t> pixels, int colorCount) {
  std::uint8_t highest = 0;
  for (std::uint8_t pixel : pixels) highest = std::max(highest, pixel);
  if (highest >= colorCount) throw GifColorNotInTableError();
}

}  // namespace

void WriteGifImageData(const GifLzwSource& source, std::string& out) {
  const auto width = static_cast<std::size_t>(std::max(source.width, 0));
  const auto height = static_cast<std::size_t>(std::max(source.height, 0));
  if (width == 0 || height == 0 || source.pixels.size() != width * height ||
      source.bitsPerPixel > 8) {
    throw GifInvalidDataError();
  }
  CheckIndices(source.pixels, source.colorCount);
  const int minCodeSize = std::max(source.bitsPerPixel, 2);
  const std::size_t start = out.size();
  out.push_back(static_cast<char>(minCodeSize));
  try {
    Encoder encoder(minCodeSize, out, source.pixels.size());
    // Both row orders start with row 0.
    encoder.Start(source.pixels[0]);
    for (int y : GifRowOrder(source.height, source.interlaced)) {
      const std::uint8_t* row = source.pixels.data() + static_cast<std::size_t>(y) * width;
      for (std::size_t x = y == 0 ? 1 : 0; x < width; ++x) encoder.Add(row[x]);
    }
    encoder.Finish();
  } catch (const GifException&) {
    out.resize(start);
    throw;
  }
}

}  // namespace texttoxml::pictures
