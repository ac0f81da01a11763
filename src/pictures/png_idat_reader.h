// The image data of a PNG file: decoding the zlib stream of the IDAT chunks
// into the header's pixel store, and encoding the store as IDAT frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace texttoxml::pictures {

class ChunkIHDR;

// A cursor over the bytes of a PNG file. Every read checks that the bytes
// are there and raises PngUnexpectedEndError otherwise.
class PngCursor {
 public:
  explicit PngCursor(std::string_view bytes) : bytes_(bytes) {}
  std::uint32_t ReadU32();
  std::string_view ReadBytes(std::size_t count);

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
};

// Reads the CRC that follows a chunk's data and compares it with the one of
// `name` and `data` (PngInvalidCrcError).
void ReadAndCheckCrc(PngCursor& cursor, std::string_view name,
                     std::string_view data);

// Decodes the image data that starts with the data of an IDAT chunk whose
// name the cursor has just read (`length` being that chunk's length) into
// the header's store, following into further IDAT chunks while rows are
// missing. Leaves the cursor after the CRC of the last chunk it used.
void DecodeImageData(PngCursor& cursor, std::uint32_t length,
                     ChunkIHDR& header);

struct ImageDataSettings {
  int compressionLevel;
  bool interlaced;
  std::size_t maxIdatSize;
};

// Appends the header's image as IDAT frames of exactly maxIdatSize bytes
// but the last.
void EncodeImageData(const ChunkIHDR& header, const ImageDataSettings& settings,
                     std::string& out);

}  // namespace texttoxml::pictures
