// The registry of picture file formats: which graphic kind loads a file,
// chosen by its extension.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/graphic.h"

namespace texttoxml::pictures {

// Makes a new, empty graphic of one kind: the registry's "graphic class".
using GraphicFactory = std::unique_ptr<Graphic> (*)();

template <class Kind>
std::unique_ptr<Graphic> MakeGraphic() {
  return std::make_unique<Kind>();
}

struct FileFormat {
  std::string extension;  // lower case, without the dot
  std::string description;
  GraphicFactory factory;
};

// Appends a row; the extension is stored in lower case. Meant for start-up.
void RegisterFileFormat(std::string_view extension, std::string_view description,
                        GraphicFactory factory);

// The kind registered last for `extension` (compared in lower case), or
// nullptr when there is none.
GraphicFactory FindExt(std::string_view extension);

// Every row in registration order, the standard ones first.
const std::vector<FileFormat>& FileFormats();

}  // namespace texttoxml::pictures
