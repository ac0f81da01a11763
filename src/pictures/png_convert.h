// Turning a picture that holds a bitmap into one that holds a PNG graphic.
#pragma once

namespace texttoxml::pictures {

class Picture;

// When the picture's graphic is exactly a Bitmap (not a class derived from
// it), replaces it by the PNG graphic converted from it and returns true;
// otherwise leaves the picture as it is and returns false.
bool ConvertPictureToPng(Picture& picture);

}  // namespace texttoxml::pictures
