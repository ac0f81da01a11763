#include "docx/picture_content.h"

#include <algorithm>
#include <array>

#include "docx/word_values.h"
#include "pictures/content_kind.h"
#include "pictures/little_endian.h"

namespace texttoxml::docx {

namespace {

using pictures::AppendU16Le;
using pictures::AppendU32Le;
using pictures::ReadU16Le;

constexpr std::array<std::string_view, 10> kLoadableExtensions{"bmp", "png", "jpg", "jpeg", "gif",
                                                               "ico", "wmf", "emf", "tif",  "tiff"};
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::uint32_t kTwipsPerInch = 1440;
constexpr std::uint32_t kMaxPlaceableCoordinate = 0x7FFF;

std::string LowerExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || name.find('/', dot) != std::string_view::npos) return {};
  return AsciiLower(name.substr(dot + 1));
}

}  // namespace

std::string PictureExtension(std::string_view name, std::string_view bytes) {
  std::string extension = LowerExtension(name);
  if (std::find(kLoadableExtensions.begin(), kLoadableExtensions.end(), extension) !=
      kLoadableExtensions.end()) {
    return extension;
  }
  return std::string(pictures::ContentKindOf(bytes).extension);
}

std::string WithPlaceableHeader(std::string bytes, std::optional<ShownSize> size) {
  if (!pictures::IsBareMetafile(bytes) || !size || size->width == 0 || size->height == 0)
    return bytes;
  // One unit a twip while it fits the header's 16-bit box; a larger
  // picture is described in coarser units, keeping its proportions.
  const std::uint32_t larger = std::max(size->width, size->height);
  const std::uint32_t scale = larger / kMaxPlaceableCoordinate + 1;
  const auto right = static_cast<std::uint16_t>(std::max<std::uint32_t>(1, size->width / scale));
  const auto bottom = static_cast<std::uint16_t>(std::max<std::uint32_t>(1, size->height / scale));
  const auto unitsPerInch =
      static_cast<std::uint16_t>(std::max<std::uint32_t>(1, kTwipsPerInch / scale));
  std::string header;
  AppendU32Le(header, kPlaceableKey);
  AppendU16Le(header, 0);  // handle
  AppendU16Le(header, 0);  // left
  AppendU16Le(header, 0);  // top
  AppendU16Le(header, right);
  AppendU16Le(header, bottom);
  AppendU16Le(header, unitsPerInch);
  AppendU32Le(header, 0);  // reserved
  std::uint16_t checksum = 0;
  for (std::size_t at = 0; at < header.size(); at += 2) checksum ^= ReadU16Le(header, at);
  AppendU16Le(header, checksum);
  return header + bytes;
}

}  // namespace texttoxml::docx
