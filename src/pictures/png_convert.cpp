#include "pictures/png_convert.h"

#include <typeinfo>

#include "pictures/bitmap.h"
#include "pictures/picture.h"
#include "pictures/png_image.h"

namespace texttoxml::pictures {

bool ConvertPictureToPng(Picture& picture) {
  const Graphic* graphic = picture.GetGraphic();
  if (graphic == nullptr || typeid(*graphic) != typeid(Bitmap)) return false;
  PngImage png;
  png.Assign(*graphic);
  picture.Assign(png);
  return true;
}

}  // namespace texttoxml::pictures
