#include "pictures/graphic.h"

#include "platform/files.h"

namespace texttoxml::pictures {

void Graphic::LoadFromFile(const std::string& path) {
  LoadFromOwnedBytes(platform::ReadWholeFile(path));
}

std::shared_ptr<const std::string> Graphic::SavedBytes() const {
  auto bytes = std::make_shared<std::string>();
  SaveToStream(*bytes);
  return bytes;
}

}  // namespace texttoxml::pictures
