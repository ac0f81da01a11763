#include "conversion/question_picture.h"

#include <algorithm>

#include "conversion/picture_file.h"
#include "pictures/picture_errors.h"
#include "platform/files.h"

namespace texttoxml::conversion {

void CheckQuestionPictureSize(const std::string& path, std::uint64_t size) {
  if (size > kMaxQuestionPictureBytes) {
    throw QuestionPictureTooLargeError(platform::FullPath(path), size, kMaxQuestionPictureBytes);
  }
}

std::string ReadQuestionPicture(const std::string& path) {
  // Refused before reading when its size is known; a file that grows in
  // between is read only one byte past the limit, which is enough to refuse
  // it, with the size it has grown to.
  if (const auto announced = platform::FileSize(path)) CheckQuestionPictureSize(path, *announced);
  std::string bytes = ReadPictureFile(path, kMaxQuestionPictureBytes + 1);
  if (bytes.size() > kMaxQuestionPictureBytes) {
    CheckQuestionPictureSize(
        path, std::max<std::uint64_t>(bytes.size(), platform::FileSize(path).value_or(0)));
  }
  return bytes;
}

}  // namespace texttoxml::conversion
