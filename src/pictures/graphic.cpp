#include "pictures/graphic.h"

#include "platform/files.h"

namespace texttoxml::pictures {

void Graphic::LoadFromFile(const std::string& path) {
  LoadFromOwnedBytes(platform::ReadWholeFile(path));
}

}  // namespace texttoxml::pictures
