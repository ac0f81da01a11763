// TIFF decoding through libtiff, from memory and without any output.
#pragma once

#include <string_view>

namespace texttoxml::pictures {

struct FrameSize {
  int width = 0;
  int height = 0;
};

// Decodes the first directory's image and returns its size. Raises
// InvalidImageError "Invalid image" when libtiff fails, ImageTooLargeError
// above the decoded-pixel limit.
FrameSize DecodeTiffFirstFrame(std::string_view bytes);

}  // namespace texttoxml::pictures
