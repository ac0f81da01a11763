#include "conversion/picture_file.h"

#include "conversion/conversion_errors.h"
#include "error.h"
#include "platform/files.h"

namespace texttoxml::conversion {

std::string ReadPictureFile(const std::string& path, std::uint64_t atMost) {
  if (platform::IsSystemFile(path)) throw SystemPictureError(platform::ResolvedPath(path));
  return RaisingOnOutOfMemory([&] { return platform::ReadWholeFile(path, atMost); },
                              [&] { return OutOfMemoryError::ReadingPicture(path); });
}

}  // namespace texttoxml::conversion
