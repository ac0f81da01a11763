#include "pictures/content_kind.h"

#include <array>
#include <string>

#include "pictures/little_endian.h"

namespace texttoxml::pictures {

namespace {

using namespace std::string_view_literals;

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"

// A signature at an offset of the bytes.
struct Signature {
  std::size_t offset;
  std::string_view bytes;
  ContentKind kind;
};

constexpr std::array kSignatures{
    Signature{0, "\x89PNG\r\n\x1A\n"sv, {"PNG", "png"}},
    Signature{0, "\xFF\xD8\xFF"sv, {"JPEG", "jpg"}},
    Signature{0, "GIF87a"sv, {"GIF", "gif"}},
    Signature{0, "GIF89a"sv, {"GIF", "gif"}},
    Signature{0, "II*\0"sv, {"TIFF", "tif"}},
    Signature{0, "MM\0*"sv, {"TIFF", "tif"}},
    Signature{0, "\0\0\1\0"sv, {"ICO", "ico"}},
    Signature{0, "BM"sv, {"BMP", "bmp"}},
    Signature{8, "WEBP"sv, {"WebP", ""}},
    Signature{4, "ftypavif"sv, {"AVIF", ""}},
    Signature{4, "ftypheic"sv, {"HEIF", ""}},
    Signature{4, "ftypmif1"sv, {"HEIF", ""}},
    Signature{0, "\0\0\0\x0CjP  \r\n\x87\n"sv, {"JPEG 2000", ""}},
    Signature{0, "8BPS"sv, {"PSD", ""}},
    Signature{0, "%PDF-"sv, {"PDF", ""}},
    Signature{0, "<svg"sv, {"SVG", ""}},
};

bool IsMetafile(std::string_view bytes) {
  return (bytes.size() >= 4 && ReadU32Le(bytes, 0) == kPlaceableKey) || IsBareMetafile(bytes);
}

bool IsEnhancedMetafile(std::string_view bytes) {
  return bytes.size() >= 44 && ReadU32Le(bytes, 0) == 1 && ReadU32Le(bytes, 40) == kEmfSignature;
}

}  // namespace

ContentKind ContentKindOf(std::string_view bytes) {
  if (IsMetafile(bytes)) return {"WMF", "wmf"};
  if (IsEnhancedMetafile(bytes)) return {"EMF", "emf"};
  for (const Signature& signature : kSignatures) {
    if (bytes.size() >= signature.offset &&
        bytes.substr(signature.offset).starts_with(signature.bytes)) {
      return signature.kind;
    }
  }
  return {};
}

bool IsBareMetafile(std::string_view bytes) {
  if (bytes.size() < 18) return false;
  const std::uint16_t type = ReadU16Le(bytes, 0);
  const std::uint16_t version = ReadU16Le(bytes, 4);
  return (type == 1 || type == 2) && ReadU16Le(bytes, 2) == 9 &&
         (version == 0x0100 || version == 0x0300);
}

std::string_view LoadableKindNames() {
  return "BMP, PNG, JPEG, GIF, ICO, WMF, EMF, TIFF";
}

}  // namespace texttoxml::pictures
