#include "error.h"

namespace texttoxml {

std::string DisplayMessage(std::string_view message) {
  std::string shown(message);
  if (!shown.empty() && static_cast<unsigned char>(shown.back()) > '.') shown += '.';
  return shown;
}

}  // namespace texttoxml
