// The picture written in place of a graphic that cannot store itself: a
// 32 x 32 true-colour bitmap of a page with a red cross on it.
#pragma once

#include <memory>

#include "pictures/graphic.h"

namespace texttoxml::richtext {

inline constexpr int kInvalidPictureSize = 32;

// A new "TBitmap" holding the picture; it stores itself as a 4150-byte
// bitmap file.
std::unique_ptr<pictures::Graphic> MakeInvalidPicture();

}  // namespace texttoxml::richtext
