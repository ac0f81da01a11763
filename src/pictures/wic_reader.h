// The imaging component behind the TIFF kind: it recognises a picture's
// container format from its content, proves the first frame readable and
// reports its size.
#pragma once

#include <string_view>

namespace texttoxml::pictures {

enum class WicImageFormat { Bmp, Png, Jpeg, Gif, Tiff, Other };

struct WicFrameInfo {
  WicImageFormat format = WicImageFormat::Other;
  int width = 0;
  int height = 0;
};

// Recognises TIFF, PNG, JPEG, GIF, bitmap and icon content. Anything else,
// and any content its reader refuses, raises InvalidGraphicError "Invalid
// image"; a picture above the decoded-pixel limit raises ImageTooLargeError.
WicFrameInfo DecodeWicFrame(std::string_view bytes);

}  // namespace texttoxml::pictures
