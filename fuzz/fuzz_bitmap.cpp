// Bitmap loading followed by the conversion to PNG, as a picture variant
// does it; the PNG that comes out must read back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "error.h"
#include "pictures/bitmap.h"
#include "pictures/picture.h"
#include "pictures/png_from_bitmap.h"
#include "pictures/png_image.h"

using namespace texttoxml;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  pictures::Bitmap bitmap;
  try {
    bitmap.LoadFromBytes(file);
  } catch (const Error&) {
    return 0;
  }
  std::string stored;
  bitmap.SaveToStream(stored);
  if (bitmap.Empty()) return 0;
  pictures::Picture picture;
  picture.Assign(bitmap);
  try {
    pictures::ConvertPictureToPng(picture);
  } catch (const Error&) {
    return 0;  // e.g. a bitmap taller than a PNG graphic may be
  }
  std::string png;
  picture.GetGraphic()->SaveToStream(png);
  pictures::PngImage again;
  again.LoadFromBytes(png);
  return 0;
}
