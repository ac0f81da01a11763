#include "pictures/gif_image.h"

#include <algorithm>

#include "pictures/picture_errors.h"

namespace texttoxml::pictures {

void GifColorMap::Add(GifColor color) {
  if (Count() >= kMaxCount) throw GifTooManyColorsError();
  colors_.push_back(color);
}

int GifColorMap::BitsPerPixel() const {
  if (colors_.empty()) return 0;
  int bits = 1;
  while ((1 << bits) < Count()) ++bits;
  return bits;
}

bool GifFrame::Empty() const {
  return data.empty() || imageDescriptor.width == 0 || imageDescriptor.height == 0;
}

const GifColorMap& GifFrame::ActiveColorMap(const GifColorMap& global) const {
  if (colorMap.Count() > 0 || global.Count() == 0) return colorMap;
  return global;
}

GifVersion GifFrame::Version() const {
  return colorMap.Optimized() || !extensions.empty() ? GifVersion::k89a : GifVersion::k87a;
}

std::unique_ptr<Graphic> GifImage::CreateNew() const {
  return std::make_unique<GifImage>();
}

GifVersion GifImage::Version() const {
  GifVersion version = GifVersion::kUnknown;
  for (const GifFrame& frame : images_) version = std::max(version, frame.Version());
  return version;
}

void GifImage::Assign(const Graphic& source) {
  const auto& gif = SameClassSource<GifImage>(source);
  // Built aside first, so that assigning a graphic to itself works too.
  std::vector<GifFrame> frames(gif.images_.size());
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const GifFrame& from = gif.images_[i];
    if (from.Empty()) continue;
    GifFrame& to = frames[i];
    to.imageDescriptor = from.imageDescriptor;
    to.data = from.data;
    to.colorMap = from.ActiveColorMap(gif.header_.colorMap);
    for (const auto& extension : from.extensions) {
      to.extensions.push_back(CopyGifExtension(*extension));
    }
  }
  header_ = gif.header_;
  images_ = std::move(frames);
}

}  // namespace texttoxml::pictures
