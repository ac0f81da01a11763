#include "conversion/stored_picture.h"

#include "error.h"
#include "pictures/picture.h"
#include "pictures/png_from_bitmap.h"

namespace texttoxml::conversion {

namespace {

std::unique_ptr<pictures::Graphic> LoadGraphic(const std::string& path) {
  pictures::Picture picture;  // the loading container goes with this call
  picture.LoadFromFile(path);
  pictures::ConvertPictureToPng(picture);
  return pictures::CopyGraphic(*picture.GetGraphic());
}

StoredPicture StorePicture(const std::string& path) {
  std::unique_ptr<pictures::Graphic> graphic = LoadGraphic(path);
  StoredPicture stored{std::string(graphic->ClassName()), {}, {}};
  try {
    graphic->SaveToStream(stored.bytes);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& error) {
    stored.bytes.clear();
    stored.unwritable = error.what();
  }
  return stored;
}

}  // namespace

std::unique_ptr<pictures::Graphic> LoadStoredGraphic(const std::string& path) {
  return RaisingOnOutOfMemory([&] { return LoadGraphic(path); },
                              [&] { return OutOfMemoryError::ReadingPicture(path); });
}

StoredPicture LoadStoredPicture(const std::string& path) {
  return RaisingOnOutOfMemory([&] { return StorePicture(path); },
                              [&] { return OutOfMemoryError::ReadingPicture(path); });
}

StoredPicture StoredPictures::Load(const std::string& path) {
  return cache_.Get(path, [&] { return LoadStoredPicture(path); });
}

}  // namespace texttoxml::conversion
