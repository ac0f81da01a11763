// The floor of BMP to PNG as a whole process: reads a bottom-up 24-bit
// bitmap file, Sub-filters its rows in RGB order as a PNG writer does, and
// deflates them at level 7 (window bits 15, memory level 8, default strategy)
// into the output file. No PNG chunks, no checks beyond what it needs to run.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::uint32_t Le32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

// Filter byte 1, then each byte minus the one a pixel to the left.
std::vector<std::uint8_t> SubFilteredRows(const std::string& file) {
  const std::uint32_t offset = Le32(file, 10), width = Le32(file, 18), height = Le32(file, 22);
  const std::size_t rowBytes = std::size_t{width} * 3, stride = (rowBytes + 3) & ~std::size_t{3};
  std::vector<std::uint8_t> out((rowBytes + 1) * height);
  std::uint8_t* to = out.data();
  for (std::uint32_t y = 0; y < height; ++y) {
    const auto* bgr = reinterpret_cast<const std::uint8_t*>(file.data()) + offset +
                      stride * (height - 1 - y);
    *to++ = 1;
    std::uint8_t left[3] = {0, 0, 0};
    for (std::size_t x = 0; x < rowBytes; x += 3) {
      const std::uint8_t rgb[3] = {bgr[x + 2], bgr[x + 1], bgr[x]};
      for (int c = 0; c < 3; ++c) {
        *to++ = static_cast<std::uint8_t>(rgb[c] - left[c]);
        left[c] = rgb[c];
      }
    }
  }
  return out;
}

std::vector<std::uint8_t> Deflate(std::vector<std::uint8_t>& input) {
  z_stream stream{};
  deflateInit2(&stream, 7, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
  std::vector<std::uint8_t> output(deflateBound(&stream, static_cast<uLong>(input.size())));
  stream.next_in = input.data();
  stream.avail_in = static_cast<uInt>(input.size());
  stream.next_out = output.data();
  stream.avail_out = static_cast<uInt>(output.size());
  deflate(&stream, Z_FINISH);
  output.resize(stream.total_out);
  deflateEnd(&stream);
  return output;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: deflate_floor IN.bmp OUT.zlib\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (file.size() < 54) return 1;
  std::vector<std::uint8_t> rows = SubFilteredRows(file);
  const std::vector<std::uint8_t> deflated = Deflate(rows);
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(deflated.data()),
            static_cast<std::streamsize>(deflated.size()));
  return out ? 0 : 1;
}
