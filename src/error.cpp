#include "error.h"

#include "platform/translate.h"

namespace texttoxml {

using platform::Format;
using platform::InQuotes;
using platform::Tr;

namespace {

// Megabytes with one decimal, rounded up, so that no file reads as "0.0 MB".
std::string MegabytesText(std::uint64_t bytes) {
  constexpr std::uint64_t kTenthOfMegabyte = 100'000;
  const std::uint64_t tenths = (bytes + kTenthOfMegabyte - 1) / kTenthOfMegabyte;
  const bool russian = platform::CurrentLanguage() == platform::Language::Russian;
  return std::to_string(tenths / 10) + (russian ? "," : ".") + std::to_string(tenths % 10);
}

}  // namespace

std::string DisplayMessage(std::string_view message) {
  std::string shown(message);
  if (!shown.empty() && static_cast<unsigned char>(shown.back()) > '.') shown += '.';
  return shown;
}

OutOfMemoryError OutOfMemoryError::ReadingPicture(std::string_view path) {
  return OutOfMemoryError(Format(Tr("Not enough memory to read picture {1}"), {InQuotes(path)}));
}

OutOfMemoryError OutOfMemoryError::ReadingText(std::string_view path) {
  return OutOfMemoryError(Format(Tr("Not enough memory to read text file {1}"), {InQuotes(path)}));
}

OutOfMemoryError OutOfMemoryError::BuildingDocument() {
  return OutOfMemoryError(Tr("Not enough memory to build the test document"));
}

OutOfMemoryError OutOfMemoryError::WritingXmlDocument() {
  return OutOfMemoryError(Tr("Not enough memory to write the XML document"));
}

OutOfMemoryError OutOfMemoryError::Checking(std::string_view path, std::uint64_t size) {
  return OutOfMemoryError(
      Format(Tr("Not enough memory to check {1} ({2} MB)"), {InQuotes(path), MegabytesText(size)}));
}

OutOfMemoryError OutOfMemoryError::Converting(std::string_view path, std::uint64_t size) {
  return OutOfMemoryError(Format(Tr("Not enough memory to convert {1} ({2} MB)"),
                                 {InQuotes(path), MegabytesText(size)}));
}

OutOfMemoryError OutOfMemoryError::Previewing(std::string_view path, std::uint64_t size) {
  return OutOfMemoryError(Format(Tr("Not enough memory to preview {1} ({2} MB)"),
                                 {InQuotes(path), MegabytesText(size)}));
}

OutOfMemoryError OutOfMemoryError::Extracting(std::string_view path, std::uint64_t size) {
  return OutOfMemoryError(Format(Tr("Not enough memory to extract the text of {1} ({2} MB)"),
                                 {InQuotes(path), MegabytesText(size)}));
}

OutOfMemoryError OutOfMemoryError::RunningCommand() {
  return OutOfMemoryError(Tr("Not enough memory to run the command"));
}

}  // namespace texttoxml
