// A picture read by the imaging component ("TWICImage"), the kind behind
// TIFF files: it takes any content the component recognises and keeps the
// file's own bytes, which are what it writes.
#pragma once

#include <memory>
#include <string>

#include "pictures/graphic.h"
#include "pictures/wic_reader.h"

namespace texttoxml::pictures {

class WicImage : public Graphic {
 public:
  WicImage() = default;

  std::string_view ClassName() const override { return "TWICImage"; }
  std::unique_ptr<Graphic> CreateNew() const override;
  // Copies the bytes, the format and the size.
  void Assign(const Graphic& source) override;
  bool Empty() const override { return bytes_.empty(); }
  int Width() const override { return frame_.width; }
  int Height() const override { return frame_.height; }
  // Raises InvalidImageError "Invalid image" for content the component
  // cannot decode (an empty file included).
  void LoadFromBytes(std::string_view bytes) override;
  void SaveToStream(std::string& out) const override { out += bytes_; }

  WicImageFormat ImageFormat() const { return frame_.format; }

 private:
  std::string bytes_;
  WicFrameInfo frame_;
};

}  // namespace texttoxml::pictures
