// The GIF reader, then a copy of the graphic, then the writer; a written
// file must read back with the same frames.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/gif_image.h"
#include "pictures/picture_errors.h"

using namespace texttoxml;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  pictures::GifImage image;
  try {
    image.LoadFromBytes(file);
  } catch (const Error&) {
    return 0;
  }
  pictures::GifImage copy;
  copy.Assign(image);
  std::string written;
  try {
    copy.SaveToStream(written);
  } catch (const GifException&) {
    // Pixel indices beyond the colour table cannot be written; that is a
    // refusal with a message, not a fault.
    return 0;
  }
  // Empty frames are not written; every other frame comes back as it was.
  pictures::GifImage again;
  again.LoadFromBytes(written);
  std::vector<const pictures::GifFrame*> expected;
  for (const auto& frame : copy.Images()) {
    if (!frame.Empty()) expected.push_back(&frame);
  }
  if (again.Images().size() != expected.size()) std::abort();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (again.Images()[i].data != expected[i]->data) std::abort();
  }
  return 0;
}
