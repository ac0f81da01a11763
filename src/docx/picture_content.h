// What kind of picture a part holds, and the repair that old metafiles
// need before a picture kind takes them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace texttoxml::docx {

// The lower-case extension a picture kind should load `bytes` as: the one
// of `name` when a picture kind takes it (bmp, png, jpg, jpeg, gif, ico,
// wmf, emf, tif, tiff), else the one its content shows (see
// pictures::ContentKindOf); empty when neither.
std::string PictureExtension(std::string_view name, std::string_view bytes);

// The size a picture is shown at in the document, in twips (1/1440 inch).
struct ShownSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// A bare metafile with the placeable header put before it, so that it is
// drawn at `size`; the bytes as they are when they are no bare metafile or
// when the size is unknown (nullopt or zero).
std::string WithPlaceableHeader(std::string bytes, std::optional<ShownSize> size);

}  // namespace texttoxml::docx
