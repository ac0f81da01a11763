#include "conversion/stored_picture.h"

#include "pictures/picture.h"
#include "pictures/png_from_bitmap.h"

namespace texttoxml::conversion {

std::unique_ptr<pictures::Graphic> LoadStoredGraphic(const std::string& path) {
  pictures::Picture picture;  // the loading container goes with this call
  picture.LoadFromFile(path);
  pictures::ConvertPictureToPng(picture);
  return pictures::CopyGraphic(*picture.GetGraphic());
}

StoredPicture LoadStoredPicture(const std::string& path) {
  std::unique_ptr<pictures::Graphic> graphic = LoadStoredGraphic(path);
  StoredPicture stored{std::string(graphic->ClassName()), {}, {}};
  try {
    graphic->SaveToStream(stored.bytes);
  } catch (const std::exception& error) {
    stored.bytes.clear();
    stored.unwritable = error.what();
  }
  return stored;
}

}  // namespace texttoxml::conversion
