#include "conversion/stored_picture.h"

#include <algorithm>

#include "conversion/picture_file.h"
#include "error.h"
#include "pictures/picture.h"
#include "pictures/picture_errors.h"
#include "pictures/png_from_bitmap.h"
#include "platform/files.h"

namespace texttoxml::conversion {

namespace {

std::string LowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return text;
}

std::unique_ptr<pictures::Graphic> LoadGraphic(const PictureFileBytes& file) {
  pictures::Picture picture;  // the loading container goes with this call
  picture.LoadFromBytes(file.kind, file.bytes);
  pictures::ConvertPictureToPng(picture);
  return pictures::CopyGraphic(*picture.GetGraphic());
}

StoredPicture StorePicture(const PictureFileBytes& file) {
  std::unique_ptr<pictures::Graphic> graphic = LoadGraphic(file);
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

void CheckVariantPictureSize(const std::string& path, std::uint64_t size) {
  if (size > kMaxPictureFileBytes) {
    throw VariantPictureTooLargeError(platform::FullPath(path), size, kMaxPictureFileBytes);
  }
}

StoredPicture StorePictureOf(const std::string& path, const PictureFileBytes& file) {
  return RaisingOnOutOfMemory([&] { return StorePicture(file); },
                              [&] { return OutOfMemoryError::ReadingPicture(path); });
}

}  // namespace

PictureFileBytes ReadVariantPictureFile(const std::string& path) {
  std::string kind = LowerCase(pictures::PictureFileExtension(path));
  pictures::KindForExtension(kind);
  return {std::move(kind), ReadLimitedPictureFile(path, CheckVariantPictureSize)};
}

std::unique_ptr<pictures::Graphic> LoadStoredGraphic(const std::string& path,
                                                     const PictureFileBytes& file) {
  return RaisingOnOutOfMemory([&] { return LoadGraphic(file); },
                              [&] { return OutOfMemoryError::ReadingPicture(path); });
}

StoredPicture LoadStoredPicture(const std::string& path) {
  return StorePictureOf(path, ReadVariantPictureFile(path));
}

StoredPictures::StoredPictures()
    : cache_(kKeptPictureBudget, [](const StoredPicture& stored) { return stored.bytes.size(); }) {}

StoredPicture StoredPictures::Load(const std::string& path) {
  return Load(path, ReadVariantPictureFile(path));
}

StoredPicture StoredPictures::Load(const std::string& path, PictureFileBytes file) {
  const std::string kind = file.kind;
  return cache_.Get(kind, std::move(file.bytes), [&](const std::string& bytes) {
    return StorePictureOf(path, {kind, bytes});
  });
}

}  // namespace texttoxml::conversion
