#include "docx/picture_content.h"

#include <algorithm>
#include <array>

#include "docx/word_values.h"
#include "pictures/little_endian.h"

namespace texttoxml::docx {

namespace {

using pictures::AppendU16Le;
using pictures::AppendU32Le;
using pictures::ReadU16Le;
using pictures::ReadU32Le;

constexpr std::array<std::string_view, 10> kLoadableExtensions{"bmp", "png", "jpg", "jpeg", "gif",
                                                               "ico", "wmf", "emf", "tif",  "tiff"};
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kTwipsPerInch = 1440;
constexpr std::uint32_t kMaxPlaceableCoordinate = 0x7FFF;

std::string LowerExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || name.find('/', dot) != std::string_view::npos) return {};
  return AsciiLower(name.substr(dot + 1));
}

bool IsEnhancedMetafile(std::string_view bytes) {
  return bytes.size() >= 44 && ReadU32Le(bytes, 0) == 1 && ReadU32Le(bytes, 40) == kEmfSignature;
}

std::string ExtensionByContent(std::string_view bytes) {
  if (bytes.starts_with("\x89PNG\r\n\x1A\n")) return "png";
  if (bytes.starts_with("\xFF\xD8\xFF")) return "jpg";
  if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return "gif";
  if (bytes.starts_with("BM")) return "bmp";
  if (bytes.starts_with(std::string_view("II*\0", 4)) ||
      bytes.starts_with(std::string_view("MM\0*", 4))) {
    return "tif";
  }
  if (bytes.size() >= 4 && ReadU32Le(bytes, 0) == kPlaceableKey) return "wmf";
  if (IsBareMetafile(bytes)) return "wmf";
  if (IsEnhancedMetafile(bytes)) return "emf";
  return {};
}

}  // namespace

std::string PictureExtension(std::string_view name, std::string_view bytes) {
  std::string extension = LowerExtension(name);
  if (std::find(kLoadableExtensions.begin(), kLoadableExtensions.end(), extension) !=
      kLoadableExtensions.end()) {
    return extension;
  }
  return ExtensionByContent(bytes);
}

bool IsBareMetafile(std::string_view bytes) {
  if (bytes.size() < 18) return false;
  const std::uint16_t type = ReadU16Le(bytes, 0);
  const std::uint16_t headerWords = ReadU16Le(bytes, 2);
  const std::uint16_t version = ReadU16Le(bytes, 4);
  return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

std::string WithPlaceableHeader(std::string bytes, std::optional<ShownSize> size) {
  if (!IsBareMetafile(bytes) || !size || size->width == 0 || size->height == 0) return bytes;
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
