#include "pictures/wic_image.h"

namespace texttoxml::pictures {

std::unique_ptr<Graphic> WicImage::CreateNew() const {
  return std::make_unique<WicImage>();
}

void WicImage::Assign(const Graphic& source) {
  const auto& image = SameClassSource<WicImage>(source);
  bytes_ = image.bytes_;
  frame_ = image.frame_;
}

void WicImage::LoadFromBytes(std::string_view bytes) {
  frame_ = DecodeWicFrame(bytes);
  bytes_ = std::string(bytes);
}

}  // namespace texttoxml::pictures
