#include "pictures/file_formats.h"

#include <algorithm>

#include "pictures/bitmap.h"
#include "pictures/gif_image.h"
#include "pictures/icon.h"
#include "pictures/jpeg_image.h"
#include "pictures/metafile.h"
#include "pictures/png_image.h"
#include "pictures/wic_image.h"

namespace texttoxml::pictures {

namespace {

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// The standard rows, in the order the kinds register them: the built-in
// kinds together, then JPEG, PNG and GIF.
std::vector<FileFormat> StandardFormats() {
  std::vector<FileFormat> rows;
  auto add = [&rows](std::string_view extension, std::string_view description,
                     GraphicFactory factory) {
    rows.push_back({LowerCase(extension), std::string(description), factory});
  };
  add("wmf", "Metafiles", &MakeGraphic<Metafile>);
  add("emf", "Enhanced Metafiles", &MakeGraphic<Metafile>);
  add("ico", "Icons", &MakeGraphic<Icon>);
  constexpr std::string_view kTiff = "TIFF Images";
  add("tiff", kTiff, &MakeGraphic<WicImage>);
  add("tif", kTiff, &MakeGraphic<WicImage>);
  add("bmp", "Bitmaps", &MakeGraphic<Bitmap>);
  constexpr std::string_view kJpeg = "JPEG Image File";
  add("jpeg", kJpeg, &MakeGraphic<JpegImage>);
  add("jpg", kJpeg, &MakeGraphic<JpegImage>);
  add("PNG", "Portable Network Graphics", &MakeGraphic<PngImage>);
  add("GIF", "GIF Image", &MakeGraphic<GifImage>);
  return rows;
}

std::vector<FileFormat>& Registry() {
  static std::vector<FileFormat> rows = StandardFormats();
  return rows;
}

}  // namespace

void RegisterFileFormat(std::string_view extension, std::string_view description,
                        GraphicFactory factory) {
  Registry().push_back({LowerCase(extension), std::string(description), factory});
}

GraphicFactory FindExt(std::string_view extension) {
  const std::string wanted = LowerCase(extension);
  const auto& rows = Registry();
  const auto found = std::find_if(rows.rbegin(), rows.rend(),
                                  [&](const FileFormat& row) { return row.extension == wanted; });
  return found == rows.rend() ? nullptr : found->factory;
}

const std::vector<FileFormat>& FileFormats() {
  return Registry();
}

}  // namespace texttoxml::pictures
