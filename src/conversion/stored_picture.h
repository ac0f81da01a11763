// A picture variant in the form the conversion stores it: loaded by its
// extension, a bitmap re-encoded as PNG, written by its graphic kind.
#pragma once

#include <memory>
#include <string>

#include "pictures/graphic.h"

namespace texttoxml::conversion {

struct StoredPicture {
  std::string className;  // "TPngImage", "TJPEGImage", "TGIFImage", ...
  std::string bytes;      // the graphic's stored byte form
};

// The graphic that the file holds, as PNG when it is a bitmap, copied into
// a fresh graphic of its own class: what a picture variant stores. Raises
// what loading raises.
std::unique_ptr<pictures::Graphic> LoadStoredGraphic(const std::string& path);

// Raises what loading raises: an unknown extension, a file that cannot be
// opened, a picture its kind cannot decode.
StoredPicture LoadStoredPicture(const std::string& path);

}  // namespace texttoxml::conversion
