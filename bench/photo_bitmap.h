// The photo-like 4000 x 3000 24-bit picture of the picture benchmarks, as RGB
// rows, as a bitmap file, and as the Sub-filtered rows that a PNG writer
// hands to deflate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace photo_bitmap {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// Smooth gradients with a little noise, roughly as a photograph compresses.
inline std::vector<std::uint8_t> MakeRgbRows() {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
  std::mt19937 random(1);
  std::size_t at = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const int noise = static_cast<int>(random() % 9) - 4;
      rgb[at++] = static_cast<std::uint8_t>(x * 255 / kWidth + noise);
      rgb[at++] = static_cast<std::uint8_t>(y * 255 / kHeight + noise);
      rgb[at++] = static_cast<std::uint8_t>((x + y) / 28 + noise);
    }
  }
  return rgb;
}

inline std::string Le(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

// A bottom-up 24-bit bitmap file of the rows (rows of 12000 bytes need no
// padding).
inline std::string MakeBitmapFile(const std::vector<std::uint8_t>& rgb) {
  const std::size_t rowBytes = static_cast<std::size_t>(kWidth) * 3;
  std::string pixels;
  pixels.reserve(rgb.size());
  for (int y = kHeight - 1; y >= 0; --y) {
    const std::uint8_t* row = rgb.data() + rowBytes * static_cast<std::size_t>(y);
    for (std::size_t x = 0; x < rowBytes; x += 3) {
      pixels += static_cast<char>(row[x + 2]);
      pixels += static_cast<char>(row[x + 1]);
      pixels += static_cast<char>(row[x]);
    }
  }
  return "BM" + Le(static_cast<std::uint32_t>(54 + pixels.size()), 4) + Le(0, 4) + Le(54, 4) +
         Le(40, 4) + Le(kWidth, 4) + Le(kHeight, 4) + Le(1, 2) + Le(24, 2) + Le(0, 4) +
         Le(static_cast<std::uint32_t>(pixels.size()), 4) + Le(2835, 4) + Le(2835, 4) + Le(0, 4) +
         Le(0, 4) + pixels;
}

// The rows as the writer feeds them to deflate: filter byte 1, then Sub.
inline std::vector<std::uint8_t> SubFiltered(const std::vector<std::uint8_t>& rgb) {
  const std::size_t rowBytes = static_cast<std::size_t>(kWidth) * 3;
  std::vector<std::uint8_t> out;
  out.reserve(rgb.size() + kHeight);
  for (int y = 0; y < kHeight; ++y) {
    const std::uint8_t* row = rgb.data() + rowBytes * static_cast<std::size_t>(y);
    out.push_back(1);
    for (std::size_t i = 0; i < rowBytes; ++i) {
      out.push_back(static_cast<std::uint8_t>(row[i] - (i >= 3 ? row[i - 3] : 0)));
    }
  }
  return out;
}

}  // namespace photo_bitmap
