// A JPEG picture ("TJPEGImage"): the file's bytes, held unchanged and shared
// between copies, with what its header tells.
#pragma once

#include <string>

#include "pictures/jpeg_reader.h"
#include "pictures/shared_image_graphic.h"

namespace texttoxml::pictures {

struct JpegFile {
  std::string bytes;
  JpegHeaderInfo header;
};

class JpegImage : public SharedImageGraphic<JpegImage, JpegFile> {
 public:
  std::string_view ClassName() const override { return "TJPEGImage"; }
  int Width() const override;
  int Height() const override;
  // Raises JpegError when the library refuses the header; an empty file
  // gives an empty graphic.
  void LoadFromBytes(std::string_view bytes) override;
  void LoadFromOwnedBytes(std::string bytes) override;
  void SaveToStream(std::string& out) const override;
  std::shared_ptr<const std::string> SavedBytes() const override { return SharedFileBytes(image_); }

  bool Grayscale() const;
  bool ProgressiveEncoding() const;
};

}  // namespace texttoxml::pictures
