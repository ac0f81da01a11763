#include "conversion/picture_file.h"

#include <algorithm>

#include "conversion/conversion_errors.h"
#include "error.h"
#include "platform/files.h"

namespace texttoxml::conversion {

std::string ReadPictureFile(const std::string& path, std::uint64_t atMost) {
  if (platform::IsSystemFile(path)) throw SystemPictureError(platform::ResolvedPath(path));
  return RaisingOnOutOfMemory([&] { return platform::ReadWholeFile(path, atMost); },
                              [&] { return OutOfMemoryError::ReadingPicture(path); });
}

std::string ReadLimitedPictureFile(const std::string& path, PictureSizeCheck checkSize) {
  if (const auto announced = platform::FileSize(path)) checkSize(path, *announced);
  std::string bytes = ReadPictureFile(path, kMaxPictureFileBytes + 1);
  if (bytes.size() > kMaxPictureFileBytes) {
    checkSize(path, std::max<std::uint64_t>(bytes.size(), platform::FileSize(path).value_or(0)));
  }
  return bytes;
}

}  // namespace texttoxml::conversion
