#include "pictures/limits.h"

#include "pictures/picture_errors.h"

namespace texttoxml::pictures {

void CheckImageSize(std::uint64_t width, std::uint64_t height,
                    std::uint64_t bitsPerPixel) {
  if (width == 0 || height == 0 || bitsPerPixel == 0) return;
  // Divide rather than multiply: the product of three header fields can
  // overflow 64 bits.
  const std::uint64_t limitBits = kMaxDecodedPixelBytes * 8;
  if (width > limitBits / height || width * height > limitBits / bitsPerPixel) {
    ThrowImageTooLarge(width, height);
  }
}

void ThrowImageTooLarge(std::uint64_t width, std::uint64_t height) {
  throw ImageTooLargeError(width, height);
}

}  // namespace texttoxml::pictures
