// The one bound on decoded pictures. A picture file's header may announce
// any size; every decoder checks the store it is about to allocate against
// this limit first, so that a hostile header cannot exhaust memory.
#pragma once

#include <cstdint>

namespace texttoxml::pictures {

// At most 256 MiB of decoded pixels per picture. Fuzz builds set a few MiB
// instead: a tiny file may announce a huge picture whose unreached pixels
// are zero-filled, and fuzzing time should go to parsing, not to filling
// and encoding stores that this limit already bounds.
#ifdef TEXTTOXML_MAX_DECODED_PIXEL_BYTES
inline constexpr std::uint64_t kMaxDecodedPixelBytes = TEXTTOXML_MAX_DECODED_PIXEL_BYTES;
#else
inline constexpr std::uint64_t kMaxDecodedPixelBytes = 256ull << 20;
#endif

// Raises ImageTooLargeError "Image is too large (%u x %u pixels). The limit
// is %u pixels at this colour depth." when a picture of width x height
// pixels at `bitsPerPixel` would need more than kMaxDecodedPixelBytes.
void CheckImageSize(std::uint64_t width, std::uint64_t height, std::uint64_t bitsPerPixel);

// Raises that error for a store whose layout the caller has checked itself;
// the limit stated is kMaxDecodedPixelBytes at `bitsPerPixel`.
[[noreturn]] void ThrowImageTooLarge(std::uint64_t width, std::uint64_t height,
                                     std::uint64_t bitsPerPixel);

}  // namespace texttoxml::pictures
