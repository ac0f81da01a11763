// An icon ("TIcon"): the file's bytes, held unchanged and shared between
// copies. The icons inside are never decoded here: storing needs only the
// bytes.
#pragma once

#include <memory>
#include <string>

#include "pictures/graphic.h"

namespace texttoxml::pictures {

class Icon : public Graphic {
 public:
  Icon() = default;

  std::string_view ClassName() const override { return "TIcon"; }
  std::unique_ptr<Graphic> CreateNew() const override;
  // An icon source is shared, not copied.
  void Assign(const Graphic& source) override;
  bool Empty() const override { return image_ == nullptr; }
  // The size of the first image the directory lists (0 when there is none).
  int Width() const override;
  int Height() const override;
  // Raises ReadError for a file shorter than the 6-byte directory header and
  // InvalidGraphicError "Icon image is not valid" for a type other than 0
  // or 1.
  void LoadFromBytes(std::string_view bytes) override;
  void SaveToStream(std::string& out) const override;

  bool SharesImageWith(const Icon& other) const;

 private:
  struct Image {
    std::string bytes;
    int width = 0;
    int height = 0;
  };
  std::shared_ptr<const Image> image_;
};

}  // namespace texttoxml::pictures
