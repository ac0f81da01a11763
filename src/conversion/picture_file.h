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

}  // namespace texttoxml::conversion
