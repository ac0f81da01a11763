#include "conversion/embedded_data.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/code_page.h"
#include "richtext/hex_line.h"
#include "xml/base64.h"

namespace texttoxml::conversion {

void WriteEmbeddedData(std::string_view bytes, platform::OutputStream& out) {
  xml::Base64Encoder base64(out);
  platform::AnsiToUtf8(bytes, base64);
  base64.Finish();
}

namespace {

// The base64 group of the three hexadecimal digits of every 12-bit value.
// Three bytes make six digits, two whole groups: the first group's digits
// are those of (byte 0, high half of byte 1), the second's those of (low
// half of byte 1, byte 2).
using GroupTable = std::array<std::array<char, 4>, 4096>;

const GroupTable& HexDigitGroups() {
  static const GroupTable table = [] {
    GroupTable groups{};
    for (std::size_t value = 0; value < groups.size(); ++value) {
      const char pair[] = {static_cast<char>(value >> 8), static_cast<char>(value)};
      std::string digits;
      richtext::AppendHexLine(digits, std::string_view(pair, 2));
      const std::string group = xml::EncodeBase64(std::string_view(digits).substr(1, 3));
      std::copy(group.begin(), group.end(), groups[value].begin());
    }
    return groups;
  }();
  return table;
}

// Base64 of the hexadecimal digits of `bytes`, which `base64` hands to
// `out`: whole runs of three bytes go straight from the table once the
// encoder stands at a group boundary, the rest through the encoder.
void WriteHexDigitsAsBase64(std::string_view bytes, xml::Base64Encoder& base64,
                            platform::OutputStream& out) {
  while (!bytes.empty() && !base64.AtGroupBoundary()) {
    richtext::WriteHexDigits(bytes.substr(0, 1), base64);
    bytes.remove_prefix(1);
  }
  const GroupTable& groups = HexDigitGroups();
  constexpr std::size_t kTriplesPerBlock = 512;
  char block[8 * kTriplesPerBlock];
  while (bytes.size() >= 3) {
    const std::size_t count = std::min(bytes.size() / 3, kTriplesPerBlock);
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < count; ++i, in += 3) {
      std::memcpy(block + 8 * i, groups[in[0] << 4 | in[1] >> 4].data(), 4);
      std::memcpy(block + 8 * i + 4, groups[(in[1] & 0xF) << 8 | in[2]].data(), 4);
    }
    platform::WriteAll(out, block, 8 * count);
    bytes.remove_prefix(3 * count);
  }
  richtext::WriteHexDigits(bytes, base64);
}

}  // namespace

// Hexadecimal digits are ASCII, the same in the code page and in UTF-8, so
// they go to base64 directly.
void WriteEmbeddedData(const richtext::RichDocText& richDoc, platform::OutputStream& out) {
  xml::Base64Encoder base64(out);
  richDoc.ForEachPiece([&](std::string_view piece) { platform::AnsiToUtf8(piece, base64); },
                       [&](std::string_view bytes) { WriteHexDigitsAsBase64(bytes, base64, out); });
  base64.Finish();
}

}  // namespace texttoxml::conversion
