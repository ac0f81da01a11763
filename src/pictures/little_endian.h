// Little-endian numbers in byte strings, as the Windows picture formats
// store them. The readers take an offset that the caller has checked to lie
// inside the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace texttoxml::pictures {

inline std::uint16_t ReadU16Le(std::string_view bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset]) |
                                    static_cast<std::uint8_t>(bytes[offset + 1]) << 8);
}

inline std::uint32_t ReadU32Le(std::string_view bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(ReadU16Le(bytes, offset)) |
         static_cast<std::uint32_t>(ReadU16Le(bytes, offset + 2)) << 16;
}

inline std::int16_t ReadI16Le(std::string_view bytes, std::size_t offset) {
  return static_cast<std::int16_t>(ReadU16Le(bytes, offset));
}

inline std::int32_t ReadI32Le(std::string_view bytes, std::size_t offset) {
  return static_cast<std::int32_t>(ReadU32Le(bytes, offset));
}

inline void AppendU16Le(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

inline void AppendU32Le(std::string& out, std::uint32_t value) {
  AppendU16Le(out, value & 0xFFFF);
  AppendU16Le(out, value >> 16);
}

// Overwrites the four bytes at `offset`, which must lie inside `out`.
inline void PutU32Le(std::string& out, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i)
    out[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace texttoxml::pictures
