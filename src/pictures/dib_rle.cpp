// Run-length decoding of 8- and 4-bit bitmaps into 32-bit rows.
#include "pictures/dib.h"

namespace texttoxml::pictures {

namespace {

// Writes pixels of the bottom-up 32-bit store, ignoring everything that
// falls outside it: a damaged stream can ask for any position.
class RunLengthCanvas {
 public:
  RunLengthCanvas(const std::vector<RgbQuad>& colors, std::uint32_t width, std::uint32_t height,
                  std::vector<std::uint8_t>& pixels)
      : colors_(colors), width_(width), height_(height), pixels_(pixels) {}

  bool Done() const { return y_ >= height_; }
  void NextLine() {
    x_ = 0;
    ++y_;
  }
  void Move(unsigned dx, unsigned dy) {
    x_ += dx;
    y_ += dy;
  }

  void Put(unsigned index) {
    if (x_ < width_ && y_ < height_ && index < colors_.size()) {
      const RgbQuad& c = colors_[index];
      std::uint8_t* p = &pixels_[(y_ * width_ + x_) * 4];
      p[0] = c.blue;
      p[1] = c.green;
      p[2] = c.red;
    }
    ++x_;
  }

 private:
  const std::vector<RgbQuad>& colors_;
  std::uint64_t width_, height_;
  std::vector<std::uint8_t>& pixels_;
  std::uint64_t x_ = 0, y_ = 0;
};

// The index of the k-th pixel packed in `value`: a whole byte at 8 bits,
// alternating high and low halves at 4 bits.
unsigned PackedIndex(std::uint8_t value, unsigned k, unsigned bitsPerPixel) {
  if (bitsPerPixel == 8) return value;
  return k % 2 == 0 ? value >> 4 : value & 0x0F;
}

}  // namespace

void DecodeRunLength(std::string_view data, unsigned bitsPerPixel,
                     const std::vector<RgbQuad>& colors, std::uint32_t width, std::uint32_t height,
                     std::vector<std::uint8_t>& pixels) {
  RunLengthCanvas canvas(colors, width, height, pixels);
  auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(data[i]); };
  std::size_t i = 0;
  while (i + 1 < data.size() && !canvas.Done()) {
    const unsigned count = byte(i);
    const std::uint8_t value = byte(i + 1);
    i += 2;
    if (count > 0) {  // a run of one value (or one pair of 4-bit values)
      for (unsigned k = 0; k < count; ++k) canvas.Put(PackedIndex(value, k, bitsPerPixel));
      continue;
    }
    switch (value) {
      case 0:
        canvas.NextLine();
        break;
      case 1:
        return;  // end of bitmap
      case 2:
        if (i + 1 >= data.size()) return;
        canvas.Move(byte(i), byte(i + 1));
        i += 2;
        break;
      default: {  // `value` pixels stored literally, padded to 16 bits
        const std::size_t length = bitsPerPixel == 8 ? value : (value + 1u) / 2;
        for (unsigned k = 0; k < value; ++k) {
          const std::size_t at = i + (bitsPerPixel == 8 ? k : k / 2);
          if (at >= data.size()) return;
          canvas.Put(PackedIndex(byte(at), k, bitsPerPixel));
        }
        i += length + length % 2;
        break;
      }
    }
  }
}

}  // namespace texttoxml::pictures
