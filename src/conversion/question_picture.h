// The question picture: any file, embedded as its bytes are.
#pragma once

#include <cstdint>
#include <string>

#include "conversion/picture_file.h"

namespace texttoxml::conversion {

inline constexpr std::uint64_t kMaxQuestionPictureBytes = kMaxPictureFileBytes;

// Raises QuestionPictureTooLargeError, naming the file and the limit, for a
// question picture of `size` bytes above kMaxQuestionPictureBytes.
void CheckQuestionPictureSize(const std::string& path, std::uint64_t size);

// All bytes of the question picture. Raises what ReadPictureFile raises and
// QuestionPictureTooLargeError.
std::string ReadQuestionPicture(const std::string& path);

}  // namespace texttoxml::conversion
