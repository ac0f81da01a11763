// LZW encoding throughput of the GIF writer, in bytes of pixels (one byte
// per pixel) per second, for a 2000 x 2000 frame of 8-bit indices.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "pictures/gif_lzw.h"

namespace {

constexpr int kSide = 2000;

// Smooth shading with a little noise, as a photo reduced to 256 colours.
std::vector<std::uint8_t> PhotoLike() {
  std::mt19937 random(5);
  std::vector<std::uint8_t> pixels;
  pixels.reserve(std::size_t{kSide} * kSide);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      pixels.push_back(static_cast<std::uint8_t>((x / 16 + y / 24 + random() % 3) & 0xFF));
    }
  }
  return pixels;
}

// Uniform noise: the most codes and the most table resets.
std::vector<std::uint8_t> Noise() {
  std::mt19937 random(6);
  std::vector<std::uint8_t> pixels(std::size_t{kSide} * kSide);
  for (std::uint8_t& pixel : pixels) pixel = static_cast<std::uint8_t>(random());
  return pixels;
}

void Encode(benchmark::State& state, const std::vector<std::uint8_t>& pixels) {
  const texttoxml::pictures::GifLzwSource source{pixels, kSide, kSide, false, 8, 256};
  for (auto _ : state) {
    std::string out;
    texttoxml::pictures::WriteGifImageData(source, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(pixels.size()));
}

void BM_GifLzwEncodePhotoLike(benchmark::State& state) {
  static const std::vector<std::uint8_t> pixels = PhotoLike();
  Encode(state, pixels);
}
BENCHMARK(BM_GifLzwEncodePhotoLike)->Unit(benchmark::kMillisecond);

void BM_GifLzwEncodeNoise(benchmark::State& state) {
  static const std::vector<std::uint8_t> pixels = Noise();
  Encode(state, pixels);
}
BENCHMARK(BM_GifLzwEncodeNoise)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
