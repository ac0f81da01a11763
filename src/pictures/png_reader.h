// Reading a PNG file into the chunk list of a PNG graphic.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "pictures/png_chunk.h"

namespace texttoxml::pictures {

// The file's chunks in file order, the header first with the decoded image.
// "cHRM" chunks are left out, the first "IDAT" chunk stands for all image
// data, and nothing after "IEND" is read. Raises the PngError kinds.
std::vector<std::unique_ptr<Chunk>> ReadPngChunks(std::string_view bytes);

}  // namespace texttoxml::pictures
