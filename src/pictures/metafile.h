// A metafile ("TMetafile"): an enhanced metafile, or a Windows metafile
// read behind its placeable header. Copies share the loaded image.
#pragma once

#include "pictures/metafile_format.h"
#include "pictures/shared_image_graphic.h"

namespace texttoxml::pictures {

class Metafile : public SharedImageGraphic<Metafile, MetafileImage> {
 public:
  std::string_view ClassName() const override { return "TMetafile"; }
  // In pixels: at 96 per inch for a Windows metafile, at its reference
  // device's pixels per millimetre for an enhanced one.
  int Width() const override;
  int Height() const override;
  // Raises InvalidGraphicError "Metafile is not valid" for anything but a
  // sound enhanced metafile or a sound placeable Windows metafile, and
  // ReadError for a file shorter than the placeable header.
  void LoadFromBytes(std::string_view bytes) override;
  // An enhanced metafile as held; a Windows metafile after a fresh
  // placeable header.
  void SaveToStream(std::string& out) const override;

  bool Enhanced() const { return image_ && image_->enhanced; }
  int MMWidth() const { return image_ ? image_->mmWidth : 0; }
  int MMHeight() const { return image_ ? image_->mmHeight : 0; }
  int Inch() const { return image_ ? image_->inch : 0; }

 private:
  int Pixels(int hundredthsMm, int devicePixels, int deviceMm) const;
};

}  // namespace texttoxml::pictures
