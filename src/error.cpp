#include "error.h"

namespace texttoxml {

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

}  // namespace texttoxml
