#include "pictures/limits.h"

#include "pictures/picture_errors.h"

namespace texttoxml::pictures {

void CheckImageSize(std::uint64_t width, std::uint64_t height, std::uint64_t bitsPerPixel) {
  if (width == 0 || height == 0 || bitsPerPixel == 0) return;
  // Divide rather than multiply: the product of three header fields can
  // overflow 64 bits.
  const std::uint64_t limitBits = kMaxDecodedPixelBytes * 8;
  if (width > limitBits / height || width * height > limitBits / bitsPerPixel) {
    ThrowImageTooLarge(width, height, bitsPerPixel);
  }
}

void ThrowImageTooLarge(std::uint64_t width, std::uint64_t height, std::uint64_t bitsPerPixel) {
  throw ImageTooLargeError(width, height, kMaxDecodedPixelBytes * 8 / bitsPerPixel);
}

}  // namespace texttoxml::pictures
