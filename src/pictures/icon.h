// An icon ("TIcon"): the file's bytes, held unchanged and shared between
// copies. The icons inside are never decoded here: storing needs only the
// bytes.
#pragma once

#include <string>

#include "pictures/shared_image_graphic.h"

namespace texttoxml::pictures {

struct IconImage {
  std::string bytes;
  int width = 0;
  int height = 0;
};

class Icon : public SharedImageGraphic<Icon, IconImage> {
 public:
  std::string_view ClassName() const override { return "TIcon"; }
  // The size of the first image the directory lists (0 when there is none).
  int Width() const override;
  int Height() const override;
  // Raises ReadError for a file shorter than the 6-byte directory header and
  // InvalidGraphicError "Icon image is not valid" for a type other than 0
  // or 1.
  void LoadFromBytes(std::string_view bytes) override;
  void SaveToStream(std::string& out) const override;
  std::shared_ptr<const std::string> SavedBytes() const override { return SharedFileBytes(image_); }
};

}  // namespace texttoxml::pictures
