// The PNG reader followed by the writer, and the writer's output read again.
// Chunk checksums are repaired before reading, so that mutations reach the
// chunk contents instead of stopping at the CRC check.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <zlib.h>

#include "error.h"
#include "pictures/png_image.h"

using namespace texttoxml;

namespace {

std::uint32_t ReadBigEndian(const std::string& s, std::size_t at) {
  auto byte = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + i]));
  };
  return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
}

void RepairChunkCrcs(std::string& file) {
  std::size_t at = 8;
  while (at + 12 <= file.size()) {
    const std::uint64_t length = ReadBigEndian(file, at);
    if (length > file.size() - at - 12) return;
    const auto* typeAndData = reinterpret_cast<const Bytef*>(file.data() + at + 4);
    const std::uint32_t crc =
        static_cast<std::uint32_t>(crc32(0, typeAndData, static_cast<uInt>(length + 4)));
    const std::size_t crcAt = at + 8 + static_cast<std::size_t>(length);
    for (int i = 0; i < 4; ++i) file[crcAt + i] = static_cast<char>(crc >> (24 - 8 * i));
    at = crcAt + 4;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string file(reinterpret_cast<const char*>(data), size);
  RepairChunkCrcs(file);
  pictures::PngImage image;
  try {
    image.LoadFromBytes(file);
  } catch (const Error&) {
    return 0;
  }
  std::string written;
  image.SaveToStream(written);
  // What the writer produced must read back, and write again identically.
  pictures::PngImage again;
  again.LoadFromBytes(written);
  std::string rewritten;
  again.SaveToStream(rewritten);
  if (rewritten != written) std::abort();
  return 0;
}
