// A JPEG picture ("TJPEGImage"): the file's bytes, held unchanged and shared
// between copies, with what its header tells.
#pragma once

#include <memory>
#include <string>

#include "pictures/graphic.h"
#include "pictures/jpeg_reader.h"

namespace texttoxml::pictures {

class JpegImage : public Graphic {
 public:
  JpegImage() = default;

  std::string_view ClassName() const override { return "TJPEGImage"; }
  std::unique_ptr<Graphic> CreateNew() const override;
  // A JPEG source is shared, not copied.
  void Assign(const Graphic& source) override;
  bool Empty() const override { return image_ == nullptr; }
  int Width() const override;
  int Height() const override;
  // Raises JpegError when the library refuses the header; an empty file
  // gives an empty graphic.
  void LoadFromBytes(std::string_view bytes) override;
  void LoadFromOwnedBytes(std::string bytes) override;
  void SaveToStream(std::string& out) const override;

  bool Grayscale() const;
  bool ProgressiveEncoding() const;
  bool SharesImageWith(const JpegImage& other) const;

 private:
  struct Image {
    std::string bytes;
    JpegHeaderInfo header;
  };
  std::shared_ptr<const Image> image_;
};

}  // namespace texttoxml::pictures
