// The abstract graphic: one loaded picture of some kind (bitmap, PNG, JPEG,
// GIF, icon, metafile, TIFF). The class name is part of the stored rich
// document, so every kind reports it exactly.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "pictures/picture_errors.h"

namespace texttoxml::pictures {

class Graphic {
 public:
  virtual ~Graphic() = default;
  Graphic(const Graphic&) = delete;
  Graphic& operator=(const Graphic&) = delete;

  // "TBitmap", "TPngImage", "TJPEGImage", "TGIFImage", "TIcon", "TMetafile",
  // "TWICImage".
  virtual std::string_view ClassName() const = 0;

  // A new, empty graphic of the same class (the virtual constructor).
  virtual std::unique_ptr<Graphic> CreateNew() const = 0;

  // Copies `source` into this graphic; a source class this kind cannot take
  // raises ConvertError ("Cannot assign a %s to a %s").
  virtual void Assign(const Graphic& source) = 0;

  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;

  // Replaces the content with the picture held in `bytes`, the whole content
  // of a file read from its start.
  virtual void LoadFromBytes(std::string_view bytes) = 0;

  // Appends the graphic's stored byte form to `out`: no length prefix, no
  // class name, nothing after it.
  virtual void SaveToStream(std::string& out) const = 0;

  // The stored byte form as one string that may be shared: a kind that
  // holds it already (the bytes of its file) gives its own, so that a
  // picture of megabytes is not copied to be written.
  virtual std::shared_ptr<const std::string> SavedBytes() const;

  // The same for bytes the graphic may keep as they are: a kind that holds
  // its file's bytes unchanged takes them over instead of copying them.
  virtual void LoadFromOwnedBytes(std::string bytes) { LoadFromBytes(bytes); }

  // Reads the whole file (FOpenError when it cannot be opened), then
  // LoadFromOwnedBytes.
  void LoadFromFile(const std::string& path);

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { transparent_ = transparent; }

 protected:
  Graphic() = default;

  // The source of an Assign that takes its own class only, as that class;
  // any other raises ConvertError.
  template <typename T>
  const T& SameClassSource(const Graphic& source) const {
    const auto* typed = dynamic_cast<const T*>(&source);
    if (typed == nullptr) throw ConvertError(source.ClassName(), ClassName());
    return *typed;
  }

 private:
  bool transparent_ = false;
};

}  // namespace texttoxml::pictures
