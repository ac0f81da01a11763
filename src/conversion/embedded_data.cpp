#include "conversion/embedded_data.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/code_page.h"
#include "platform/large_pages.h"
#include "richtext/hex_line.h"
#include "xml/base64.h"

namespace texttoxml::conversion {

std::string EmbeddedData(std::string_view bytes) {
  std::string text;
  platform::ReserveOnLargePages(text, xml::Base64Size(platform::AnsiToUtf8Size(bytes)));
  xml::Base64Encoder base64(text);
  platform::AnsiToUtf8(bytes, base64);
  base64.Finish();
  return text;
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

// Base64 of the hexadecimal digits of `bytes`, which `base64` appends to
// `text`: whole runs of three bytes go straight from the table once the
// encoder stands at a group boundary, the rest through the encoder.
void WriteHexDigitsAsBase64(std::string_view bytes, xml::Base64Encoder& base64, std::string& text) {
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
    text.append(block, 8 * count);
    bytes.remove_prefix(3 * count);
  }
  richtext::WriteHexDigits(bytes, base64);
}

}  // namespace

// Hexadecimal digits are ASCII, the same in the code page and in UTF-8, so
// they go to base64 directly.
std::string EmbeddedData(const richtext::RichDocText& richDoc) {
  std::size_t utf8Size = 0;
  richDoc.ForEachPiece(
      [&](std::string_view text) { utf8Size += platform::AnsiToUtf8Size(text); },
      [&](std::string_view bytes) { utf8Size += 2 * bytes.size(); });
  std::string text;
  platform::ReserveOnLargePages(text, xml::Base64Size(utf8Size));
  xml::Base64Encoder base64(text);
  richDoc.ForEachPiece([&](std::string_view piece) { platform::AnsiToUtf8(piece, base64); },
                       [&](std::string_view bytes) { WriteHexDigitsAsBase64(bytes, base64, text); });
  base64.Finish();
  return text;
}

}  // namespace texttoxml::conversion
