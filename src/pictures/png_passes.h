// The passes of PNG image data: one pass over every pixel, or the seven
// Adam7 passes of an interlaced image.
#pragma once

#include <cstdint>
#include <span>

namespace texttoxml::pictures {

struct PngPass {
  std::uint32_t firstColumn, firstRow, columnStep, rowStep;

  std::uint32_t Columns(std::uint32_t width) const {
    return width > firstColumn ? (width - firstColumn + columnStep - 1) / columnStep : 0;
  }
  std::uint32_t Rows(std::uint32_t height) const {
    return height > firstRow ? (height - firstRow + rowStep - 1) / rowStep : 0;
  }
};

inline std::span<const PngPass> PngPasses(bool interlaced) {
  static constexpr PngPass kWhole[] = {{0, 0, 1, 1}};
  static constexpr PngPass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                       {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  if (interlaced) return kAdam7;
  return kWhole;
}

}  // namespace texttoxml::pictures
