// Throughput of the PNG paths on a 4000 x 3000 24-bit picture, against bare
// zlib deflate (level 7) over the same Sub-filtered rows:
//   BMP -> PNG: a bitmap file to stored PNG bytes (load, convert, copy,
//               write), as a picture variant goes;
//   PNG read + rewrite: a PNG file to stored PNG bytes (load, copy, write).
// Figures are MB of raw pixels (width x height x 3) per second of process
// CPU time (so that other work on the machine weighs less), best of a few
// runs; the ratio is the time of a path over the time of bare deflate.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "photo_bitmap.h"
#include "pictures/picture.h"
#include "pictures/png_from_bitmap.h"
#include "pictures/png_image.h"

namespace {

using namespace texttoxml::pictures;
using namespace photo_bitmap;

constexpr int kRuns = 5;

std::size_t BareDeflate(const std::vector<std::uint8_t>& input) {
  z_stream stream{};
  deflateInit2(&stream, 7, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
  std::vector<std::uint8_t> output(deflateBound(&stream, static_cast<uLong>(input.size())));
  stream.next_in = const_cast<Bytef*>(input.data());
  stream.avail_in = static_cast<uInt>(input.size());
  stream.next_out = output.data();
  stream.avail_out = static_cast<uInt>(output.size());
  deflate(&stream, Z_FINISH);
  const std::size_t size = stream.total_out;
  deflateEnd(&stream);
  return size;
}

// The road of a picture variant: load by extension, convert, copy, write.
std::string StoredPicture(const std::string& path) {
  Picture picture;
  picture.LoadFromFile(path);
  ConvertPictureToPng(picture);
  std::string out;
  CopyGraphic(*picture.GetGraphic())->SaveToStream(out);
  return out;
}

std::string WriteTempFile(const std::string& name, const std::string& bytes) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

double CpuSeconds(const std::function<void()>& work) {
  const std::clock_t start = std::clock();
  work();
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// The best time of each piece of work over a few rounds; the pieces take
// turns, so that a busy spell of the machine weighs on all of them alike.
std::vector<double> BestSeconds(const std::vector<std::function<void()>>& works) {
  std::vector<double> best(works.size(), 1e30);
  for (int round = 0; round < kRuns; ++round) {
    for (std::size_t i = 0; i < works.size(); ++i)
      best[i] = std::min(best[i], CpuSeconds(works[i]));
  }
  return best;
}

}  // namespace

int main() {
  const std::vector<std::uint8_t> rgb = MakeRgbRows();
  const std::string bitmapPath = WriteTempFile("texttoxml-png-bench.bmp", MakeBitmapFile(rgb));
  const std::vector<std::uint8_t> filtered = SubFiltered(rgb);
  const std::string pngFile = StoredPicture(bitmapPath);
  const std::string pngPath = WriteTempFile("texttoxml-png-bench.png", pngFile);
  const double megabytes = static_cast<double>(rgb.size()) / 1e6;

  std::size_t deflated = 0;
  const std::vector<double> seconds =
      BestSeconds({[&] { deflated = BareDeflate(filtered); }, [&] { StoredPicture(bitmapPath); },
                   [&] { StoredPicture(pngPath); }, [&] { PngImage().LoadFromBytes(pngFile); }});
  const double deflate = seconds[0], convert = seconds[1], rewrite = seconds[2], read = seconds[3];
  std::filesystem::remove(bitmapPath);
  std::filesystem::remove(pngPath);

  std::printf("picture: %d x %d, 24 bits, %.1f MB of pixels; PNG %zu bytes (bare deflate %zu)\n",
              kWidth, kHeight, megabytes, pngFile.size(), deflated);
  std::printf("%-22s %8.1f MB/s  %6.3f s\n", "bare deflate level 7", megabytes / deflate, deflate);
  std::printf("%-22s %8.1f MB/s  %6.3f s  ratio %.2f\n", "BMP -> PNG", megabytes / convert, convert,
              convert / deflate);
  std::printf("%-22s %8.1f MB/s  %6.3f s  ratio %.2f\n", "PNG read + rewrite", megabytes / rewrite,
              rewrite, rewrite / deflate);
  std::printf("%-22s %8.1f MB/s  %6.3f s\n", "  of which PNG read", megabytes / read, read);
  return 0;
}
