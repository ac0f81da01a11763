#include "pictures/jpeg_image.h"

#include <utility>

namespace texttoxml::pictures {

int JpegImage::Width() const {
  return image_ ? image_->header.width : 0;
}
int JpegImage::Height() const {
  return image_ ? image_->header.height : 0;
}
bool JpegImage::Grayscale() const {
  return image_ && image_->header.grayscale;
}
bool JpegImage::ProgressiveEncoding() const {
  return image_ && image_->header.progressive;
}

void JpegImage::LoadFromBytes(std::string_view bytes) {
  LoadFromOwnedBytes(std::string(bytes));
}

void JpegImage::LoadFromOwnedBytes(std::string bytes) {
  if (bytes.empty()) {
    image_.reset();
    return;
  }
  JpegHeaderInfo header = ReadJpegHeader(bytes);
  image_ = std::make_shared<const JpegFile>(JpegFile{std::move(bytes), header});
}

void JpegImage::SaveToStream(std::string& out) const {
  if (image_) out += image_->bytes;
}

}  // namespace texttoxml::pictures
