// A graphic whose loaded image never changes once read: copies share it
// instead of copying the file's bytes.
#pragma once

#include <memory>
#include <string>

#include "pictures/graphic.h"

namespace texttoxml::pictures {

template <typename Self, typename Image>
class SharedImageGraphic : public Graphic {
 public:
  std::unique_ptr<Graphic> CreateNew() const override { return std::make_unique<Self>(); }
  // Takes a source of the same class only.
  void Assign(const Graphic& source) override {
    image_ = static_cast<const SharedImageGraphic&>(SameClassSource<Self>(source)).image_;
  }
  bool Empty() const override { return image_ == nullptr; }
  bool SharesImageWith(const Self& other) const {
    return image_ != nullptr && image_ == static_cast<const SharedImageGraphic&>(other).image_;
  }

 protected:
  std::shared_ptr<const Image> image_;
};

// SavedBytes of a kind whose image keeps its file's bytes in `bytes`.
template <typename Image>
std::shared_ptr<const std::string> SharedFileBytes(const std::shared_ptr<const Image>& image) {
  if (!image) return std::make_shared<const std::string>();
  return {image, &image->bytes};
}

}  // namespace texttoxml::pictures
