// Reading the image data of a PNG file: the zlib stream of the IDAT chunks
// decoded into the header's pixel store.
#pragma once

#include <cstdint>

#include "pictures/png_reader.h"

namespace texttoxml::pictures {

class ChunkIHDR;

// Decodes the image data that starts with the data of an IDAT chunk whose
// name the cursor has just read (`length` being that chunk's length) into
// the header's store, following into further IDAT chunks while rows are
// missing. Leaves the cursor after the CRC of the last chunk it used.
void DecodeImageData(PngCursor& cursor, std::uint32_t length, ChunkIHDR& header);

}  // namespace texttoxml::pictures
