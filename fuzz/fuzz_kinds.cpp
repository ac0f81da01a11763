// The picture kinds kept as their own bytes: icon, enhanced and placeable
// metafile, TIFF (through the imaging component's sniffing) and the JPEG
// header reader. The first byte picks the reader, the rest is the file.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "error.h"
#include "pictures/icon.h"
#include "pictures/jpeg_reader.h"
#include "pictures/metafile.h"
#include "pictures/picture.h"
#include "pictures/wic_reader.h"

using namespace texttoxml;

namespace {

void LoadCopyAndStore(pictures::Graphic& graphic, std::string_view bytes) {
  graphic.LoadFromBytes(bytes);
  std::unique_ptr<pictures::Graphic> copy = pictures::CopyGraphic(graphic);
  std::string stored;
  copy->SaveToStream(stored);
  (void)copy->Width();
  (void)copy->Height();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  try {
    switch (data[0] % 4) {
      case 0: {
        pictures::Icon icon;
        LoadCopyAndStore(icon, bytes);
        break;
      }
      case 1: {
        pictures::Metafile metafile;
        LoadCopyAndStore(metafile, bytes);
        break;
      }
      case 2:
        pictures::DecodeWicFrame(bytes);
        break;
      default:
        pictures::ReadJpegHeader(bytes);
        break;
    }
  } catch (const Error&) {
  }
  return 0;
}
