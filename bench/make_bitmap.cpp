// Writes the photo-like 4000 x 3000 24-bit bitmap of the picture benchmarks
// to the file named by the argument.
#include <cstdio>
#include <fstream>

#include "photo_bitmap.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_bitmap OUT.bmp\n");
    return 2;
  }
  const std::string bytes = photo_bitmap::MakeBitmapFile(photo_bitmap::MakeRgbRows());
  std::ofstream out(argv[1], std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return out ? 0 : 1;
}
