// The bounds that a document from anyone must stay within. A real test of a
// few thousand tasks with photos is far below each of them; a ZIP bomb or a
// deliberately deep XML file is far above.
#pragma once

#include <cstdint>

namespace texttoxml::docx {

inline constexpr std::uint64_t kMiB = 1024 * 1024;

inline constexpr std::uint64_t kMaxEntries = 10'000;
inline constexpr std::uint64_t kMaxXmlPartBytes = 64 * kMiB;
inline constexpr std::uint64_t kMaxPicturePartBytes = 256 * kMiB;
inline constexpr std::uint64_t kMaxTotalBytes = 1024 * kMiB;
// Deflate cannot compress real content much beyond 1000:1; only entries
// large enough to matter are judged, since tiny ones compress oddly.
inline constexpr std::uint64_t kMaxCompressionRatio = 1000;
inline constexpr std::uint64_t kRatioCheckedAbove = kMiB;

inline constexpr std::uint64_t kMaxXmlDepth = 256;
inline constexpr std::uint64_t kMaxXmlAttributes = 1000;
// About 150 bytes of memory each: the tree of the largest part stays far
// below the memory the converter is allowed.
inline constexpr std::uint64_t kMaxXmlElements = 2'000'000;

}  // namespace texttoxml::docx
