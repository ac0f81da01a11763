#include "error.h"

namespace texttoxml {

namespace {

// Megabytes with one decimal, rounded up, so that no file reads as "0.0 MB".
std::string MegabytesText(std::uint64_t bytes) {
  constexpr std::uint64_t kTenthOfMegabyte = 100'000;
  const std::uint64_t tenths = (bytes + kTenthOfMegabyte - 1) / kTenthOfMegabyte;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

}  // namespace

std::string DisplayMessage(std::string_view message) {
  std::string shown(message);
  if (!shown.empty() && static_cast<unsigned char>(shown.back()) > '.') shown += '.';
  return shown;
}

OutOfMemoryError OutOfMemoryError::ReadingPicture(std::string_view path) {
  return OutOfMemoryError("Not enough memory to read picture \"" + std::string(path) + "\"");
}

OutOfMemoryError OutOfMemoryError::ReadingText(std::string_view path) {
  return OutOfMemoryError("Not enough memory to read text file \"" + std::string(path) + "\"");
}

OutOfMemoryError OutOfMemoryError::BuildingDocument() {
  return OutOfMemoryError("Not enough memory to build the test document");
}

OutOfMemoryError OutOfMemoryError::WritingXmlDocument() {
  return OutOfMemoryError("Not enough memory to write the XML document");
}

OutOfMemoryError OutOfMemoryError::Checking(std::string_view path, std::uint64_t size) {
  return OutOfMemoryError("Not enough memory to check \"" + std::string(path) + "\" (" +
                          MegabytesText(size) + " MB)");
}

OutOfMemoryError OutOfMemoryError::Converting(std::string_view path, std::uint64_t size) {
  return OutOfMemoryError("Not enough memory to convert \"" + std::string(path) + "\" (" +
                          MegabytesText(size) + " MB)");
}

OutOfMemoryError OutOfMemoryError::Previewing(std::string_view path, std::uint64_t size) {
  return OutOfMemoryError("Not enough memory to preview \"" + std::string(path) + "\" (" +
                          MegabytesText(size) + " MB)");
}

OutOfMemoryError OutOfMemoryError::Extracting(std::string_view path, std::uint64_t size) {
  return OutOfMemoryError("Not enough memory to extract the text of \"" + std::string(path) +
                          "\" (" + MegabytesText(size) + " MB)");
}

OutOfMemoryError OutOfMemoryError::RunningCommand() {
  return OutOfMemoryError("Not enough memory to run the command");
}

}  // namespace texttoxml
