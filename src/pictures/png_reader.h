// Reading a PNG file into the chunk list of a PNG graphic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "pictures/png_chunk.h"

namespace texttoxml::pictures {

// A cursor over the bytes of a PNG file. Every read checks that the bytes
// are there and raises PngUnexpectedEndError otherwise.
class PngCursor {
 public:
  explicit PngCursor(std::string_view bytes) : bytes_(bytes) {}
  std::uint32_t ReadU32();
  std::string_view ReadBytes(std::size_t count);

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
};

// Reads the CRC that follows a chunk's data and compares it with the one of
// `name` and `data` (PngInvalidCrcError).
void ReadAndCheckCrc(PngCursor& cursor, std::string_view name, std::string_view data);

// The file's chunks in file order, the header first with the decoded image.
// "cHRM" chunks are left out, the first "IDAT" chunk stands for all image
// data, and nothing after "IEND" is read. Raises the PngError kinds.
std::vector<std::unique_ptr<Chunk>> ReadPngChunks(std::string_view bytes);

}  // namespace texttoxml::pictures
