// Reading the file of a picture, question picture or variant alike.
#pragma once

#include <cstdint>
#include <string>

namespace texttoxml::conversion {

// All bytes of the picture file at `path` (or of the picture held there in
// memory). Raises SystemPictureError for a file that belongs to the system
// (see platform::IsSystemFile), whatever link leads to it; what reading a
// file raises; and OutOfMemoryError "Not enough memory to read picture ..."
// when memory runs out. Sizes are those of the bytes returned: a file that
// tells another size is not believed. At most `atMost` bytes are read.
std::string ReadPictureFile(const std::string& path, std::uint64_t atMost = UINT64_MAX);

// A picture file is held whole, and then again as its embedded text (a
// third more), so its size is bounded as decoded pictures are.
inline constexpr std::uint64_t kMaxPictureFileBytes = 256ull << 20;

// Raises the error that refuses the file at `path` when `size` is above
// kMaxPictureFileBytes; else does nothing.
using PictureSizeCheck = void (*)(const std::string& path, std::uint64_t size);

// As ReadPictureFile, for a file that `checkSize` lets through. The file is
// refused before reading when its size is known; one that grows in between
// is read only one byte past the limit, which is enough to refuse it, with
// the size it has grown to.
std::string ReadLimitedPictureFile(const std::string& path, PictureSizeCheck checkSize);

}  // namespace texttoxml::conversion
