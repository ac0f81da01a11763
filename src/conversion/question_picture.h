// The question picture: any file, embedded as its bytes are.
#pragma once

#include <cstdint>
#include <string>

namespace texttoxml::conversion {

// A question picture is held whole, and then again as its embedded text
// (a third more), so its size is bounded as decoded pictures are.
inline constexpr std::uint64_t kMaxQuestionPictureBytes = 256ull << 20;

// Raises QuestionPictureTooLargeError, naming the file and the limit, for a
// question picture of `size` bytes above kMaxQuestionPictureBytes.
void CheckQuestionPictureSize(const std::string& path, std::uint64_t size);

// All bytes of the question picture. Raises what ReadPictureFile raises and
// QuestionPictureTooLargeError.
std::string ReadQuestionPicture(const std::string& path);

}  // namespace texttoxml::conversion
