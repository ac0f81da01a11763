// Turning a bitmap into a PNG graphic, and a picture that holds a bitmap
// into one that holds a PNG graphic.
#pragma once

#include <memory>
#include <vector>

#include "pictures/png_chunk.h"
#include "pictures/png_chunks.h"

namespace texttoxml::pictures {

class Bitmap;
class Picture;

// The chunk list of the PNG form of `bitmap`: IHDR, PLTE (palette images),
// tRNS (when `transparent`), IDAT, IEND. Bitmaps of up to 8 bits per pixel
// become palette images of the same depth, all others 8-bit RGB images.
// Raises InvalidBitmapError for a bitmap without pixels or of a depth other
// than 1, 4, 8, 16, 24 or 32 bits.
std::vector<std::unique_ptr<Chunk>> PngChunksFromBitmap(const Bitmap& bitmap, bool transparent,
                                                        PaletteEntry transparentColor);

// When the picture's graphic is exactly a Bitmap (not a class derived from
// it), replaces it by the PNG graphic converted from it and returns true;
// otherwise leaves the picture as it is and returns false.
bool ConvertPictureToPng(Picture& picture);

}  // namespace texttoxml::pictures
