// The held bitmap's layout.
#include "pictures/dib.h"

#include <cstdlib>

namespace texttoxml::pictures {

std::uint32_t Dib::Height() const {
  return static_cast<std::uint32_t>(std::abs(static_cast<std::int64_t>(header.height)));
}

std::size_t Dib::Stride() const {
  return DibStride(Width(), header.bitCount);
}

std::uint64_t DibStride(std::uint64_t width, unsigned bitsPerPixel) {
  return (width * bitsPerPixel + 31) / 32 * 4;
}

std::array<std::uint32_t, 3> DefaultMasks(unsigned bitsPerPixel) {
  if (bitsPerPixel == 16) return {0x7C00, 0x03E0, 0x001F};
  if (bitsPerPixel == 24 || bitsPerPixel == 32) return {0xFF0000, 0xFF00, 0xFF};
  return {0, 0, 0};
}

}  // namespace texttoxml::pictures
