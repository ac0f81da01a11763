#include "pictures/metafile.h"

namespace texttoxml::pictures {

namespace {

constexpr int kScreenPixelsPerInch = 96;

}  // namespace

int Metafile::Pixels(int hundredthsMm, int devicePixels, int deviceMm) const {
  if (image_->inch == 0 && devicePixels > 0 && deviceMm > 0) {
    return static_cast<int>(MulDivRound(hundredthsMm, devicePixels, std::int64_t{deviceMm} * 100));
  }
  return static_cast<int>(MulDivRound(hundredthsMm, kScreenPixelsPerInch, 2540));
}

int Metafile::Width() const {
  return image_ ? Pixels(image_->mmWidth, image_->devicePixelsX, image_->deviceMmX) : 0;
}

int Metafile::Height() const {
  return image_ ? Pixels(image_->mmHeight, image_->devicePixelsY, image_->deviceMmY) : 0;
}

void Metafile::LoadFromBytes(std::string_view bytes) {
  image_ = std::make_shared<const MetafileImage>(
      LooksEnhanced(bytes) ? ReadEnhancedMetafile(bytes) : ReadPlaceableMetafile(bytes));
}

void Metafile::SaveToStream(std::string& out) const {
  if (!image_) return;
  if (!image_->enhanced) AppendPlaceableHeader(*image_, out);
  out += image_->records;
}

}  // namespace texttoxml::pictures
