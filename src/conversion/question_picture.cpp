#include "conversion/question_picture.h"

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
  // Refused before reading when its size is known; checked again after, in
  // case the file grew in between.
  if (const auto announced = platform::FileSize(path)) CheckQuestionPictureSize(path, *announced);
  std::string bytes = ReadPictureFile(path);
  CheckQuestionPictureSize(path, bytes.size());
  return bytes;
}

}  // namespace texttoxml::conversion
