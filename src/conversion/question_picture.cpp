#include "conversion/question_picture.h"

#include "pictures/picture_errors.h"
#include "platform/files.h"

namespace texttoxml::conversion {

void CheckQuestionPictureSize(const std::string& path, std::uint64_t size) {
  if (size > kMaxQuestionPictureBytes) {
    throw QuestionPictureTooLargeError(platform::FullPath(path), size, kMaxQuestionPictureBytes);
  }
}

std::string ReadQuestionPicture(const std::string& path) {
  return ReadLimitedPictureFile(path, CheckQuestionPictureSize);
}

}  // namespace texttoxml::conversion
