#include "pictures/picture.h"

#include "pictures/file_formats.h"
#include "pictures/picture_errors.h"
#include "platform/held_files.h"

namespace texttoxml::pictures {

Picture::Picture() {
  FileFormats();
}

void Picture::LoadFromFile(const std::string& path) {
  std::unique_ptr<Graphic> graphic = KindForExtension(PictureFileExtension(path))();
  graphic->LoadFromFile(path);
  graphic_ = std::move(graphic);
}

void Picture::LoadFromBytes(std::string_view extension, std::string bytes) {
  std::unique_ptr<Graphic> graphic = KindForExtension(extension)();
  graphic->LoadFromOwnedBytes(std::move(bytes));
  graphic_ = std::move(graphic);
}

void Picture::Assign(const Graphic& graphic) {
  graphic_ = CopyGraphic(graphic);
}

void Picture::Assign(const Picture& other) {
  if (other.graphic_) {
    Assign(*other.graphic_);
  } else {
    graphic_.reset();
  }
}

GraphicFactory KindForExtension(std::string_view extension) {
  const GraphicFactory factory = FindExt(extension);
  if (factory == nullptr) throw UnknownPictureExtensionError(extension);
  return factory;
}

std::unique_ptr<Graphic> CopyGraphic(const Graphic& source) {
  std::unique_ptr<Graphic> copy = source.CreateNew();
  copy->Assign(source);
  return copy;
}

std::string PictureFileExtension(std::string_view path) {
  const platform::HeldFileContent* held = platform::HeldFile(std::string(path));
  if (held != nullptr && !held->kind.empty()) return held->kind;
  const std::size_t dot = path.find_last_of(".\\:/");
  if (dot == std::string_view::npos || path[dot] != '.') return {};
  return std::string(path.substr(dot + 1));
}

}  // namespace texttoxml::pictures
