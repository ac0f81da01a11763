// Reading the picture size that a file's header announces, before the
// reader under test sees the file.
//
// A header may announce a picture of up to the decoded-pixel limit while
// the data that follows is tiny: pixels the data does not reach stay 0,
// so a file of a few dozen bytes can rightly cost a 256 MiB store, and
// writing it back costs the encoding of that store. That cost is bounded by
// the limit, not by the input, and under the sanitizers it takes longer
// than the fuzzing timeout. The harnesses pass over files that announce
// more than kMaxFuzzPixels, so that the fuzzer spends its time on parsing;
// the limit itself is covered by the readers' own tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace texttoxml::fuzz {

inline constexpr std::uint64_t kMaxFuzzPixels = 1u << 22;

inline std::uint32_t ByteAt(std::string_view s, std::size_t at) {
  return static_cast<unsigned char>(s[at]);
}

inline std::uint32_t U32Be(std::string_view s, std::size_t at) {
  return ByteAt(s, at) << 24 | ByteAt(s, at + 1) << 16 | ByteAt(s, at + 2) << 8 | ByteAt(s, at + 3);
}

inline std::uint32_t U16Le(std::string_view s, std::size_t at) {
  return ByteAt(s, at) | ByteAt(s, at + 1) << 8;
}

inline std::int64_t I32Le(std::string_view s, std::size_t at) {
  return static_cast<std::int32_t>(U16Le(s, at) | U16Le(s, at + 2) << 16);
}

// The IHDR size of a PNG file.
inline bool PngTooLarge(std::string_view file) {
  if (file.size() < 24 || !file.starts_with("\x89PNG")) return false;
  return std::uint64_t{U32Be(file, 16)} * U32Be(file, 20) > kMaxFuzzPixels;
}

// The information header's size of a bitmap file (either header kind).
inline bool BitmapTooLarge(std::string_view file) {
  if (file.size() < 26 || !file.starts_with("BM")) return false;
  const bool core = U16Le(file, 14) == 12;
  const std::int64_t width = core ? U16Le(file, 18) : I32Le(file, 18);
  const std::int64_t height = core ? U16Le(file, 20) : I32Le(file, 22);
  const auto magnitude = [](std::int64_t v) { return static_cast<std::uint64_t>(v < 0 ? -v : v); };
  return magnitude(width) * magnitude(height) > kMaxFuzzPixels;
}

}  // namespace texttoxml::fuzz
