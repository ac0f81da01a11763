// Writing the image data of a PNG file: the header's pixel store encoded as
// IDAT frames.
#pragma once

#include <cstddef>
#include <string>

namespace texttoxml::pictures {

class ChunkIHDR;

struct ImageDataSettings {
  int compressionLevel;
  bool interlaced;
  std::size_t maxIdatSize;
};

// Appends the header's image as IDAT frames of exactly maxIdatSize bytes
// but the last.
void EncodeImageData(const ChunkIHDR& header, const ImageDataSettings& settings, std::string& out);

}  // namespace texttoxml::pictures
