// Big-endian numbers and chunk checksums, as the PNG format stores them. The
// readers take an offset that the caller has checked to lie inside the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace texttoxml::pictures {

// The eight bytes every PNG file starts with.
inline constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1A\n", 8};

inline std::uint16_t ReadU16Be(std::string_view bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset]) << 8 |
                                    static_cast<std::uint8_t>(bytes[offset + 1]));
}

inline std::uint32_t ReadU32Be(std::string_view bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(ReadU16Be(bytes, offset)) << 16 | ReadU16Be(bytes, offset + 2);
}

inline void AppendU16Be(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value >> 8);
  out += static_cast<char>(value & 0xFF);
}

inline void AppendU32Be(std::string& out, std::uint32_t value) {
  AppendU16Be(out, static_cast<std::uint16_t>(value >> 16));
  AppendU16Be(out, static_cast<std::uint16_t>(value & 0xFFFF));
}

// The CRC-32 that closes a chunk frame: over the four name bytes and the data.
std::uint32_t ChunkCrc(std::string_view name, std::string_view data);

// Appends one chunk frame: data length, name, data, CRC (all big-endian).
void WriteChunkFrame(std::string_view name, std::string_view data, std::string& out);

}  // namespace texttoxml::pictures
