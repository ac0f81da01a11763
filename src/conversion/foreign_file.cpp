#include "conversion/foreign_file.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "pictures/little_endian.h"

namespace texttoxml::conversion {

namespace {

using pictures::ReadU16Le;
using pictures::ReadU32Le;

// A BMP file header is "BM" and four reserved zero bytes around its sizes,
// followed by one of the DIB header sizes; a text that starts with "BM"
// ("BMW ...") holds no zero bytes.
bool IsBitmap(std::string_view bytes) {
  constexpr std::array<std::uint32_t, 7> kDibHeaderSizes{12, 40, 52, 56, 64, 108, 124};
  if (bytes.size() < 18 || !bytes.starts_with("BM") || ReadU32Le(bytes, 6) != 0) return false;
  return std::find(kDibHeaderSizes.begin(), kDibHeaderSizes.end(), ReadU32Le(bytes, 14)) !=
         kDibHeaderSizes.end();
}

// An icon directory: reserved zero, type 1, at least one image.
bool IsIcon(std::string_view bytes) {
  return bytes.size() >= 6 && ReadU16Le(bytes, 0) == 0 && ReadU16Le(bytes, 2) == 1 &&
         ReadU16Le(bytes, 4) > 0;
}

bool IsEnhancedMetafile(std::string_view bytes) {
  constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
  return bytes.size() >= 44 && ReadU32Le(bytes, 0) == 1 && ReadU32Le(bytes, 40) == kEmfSignature;
}

bool IsWebP(std::string_view bytes) {
  return bytes.size() >= 12 && bytes.starts_with("RIFF") && bytes.substr(8, 4) == "WEBP";
}

// The kind of picture `bytes` start as, or empty.
std::string_view PictureKindOf(std::string_view bytes) {
  if (bytes.starts_with("\x89PNG\r\n\x1A\n")) return "PNG";
  if (bytes.starts_with("\xFF\xD8\xFF")) return "JPEG";
  if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return "GIF";
  if (IsBitmap(bytes)) return "BMP";
  if (bytes.starts_with(std::string_view("II*\0", 4)) ||
      bytes.starts_with(std::string_view("MM\0*", 4))) {
    return "TIFF";
  }
  if (bytes.starts_with("\xD7\xCD\xC6\x9A")) return "WMF";  // placeable
  if (IsEnhancedMetafile(bytes)) return "EMF";
  if (IsWebP(bytes)) return "WebP";
  if (IsIcon(bytes)) return "ICO";
  return {};
}

// Tabs and line breaks belong to a text; the other characters below the
// blank do not, beyond a stray one. U+0000 is left out: it ends the text
// where it stands, as in the window, which the check notes, and it fills
// a UTF-16 file read as windows-1251 on purpose.
bool IsControl(char16_t c) {
  return c < u' ' && c != u'\0' && c != u'\t' && c != u'\n' && c != u'\r';
}

// A PDF may put a few bytes before its header; readers look in the first
// kilobyte for it.
constexpr std::size_t kPdfHeaderReach = 1024;

}  // namespace

void RefuseForeignFile(std::string_view bytes) {
  if (bytes.starts_with("{\\rtf")) throw NotATaskTextError::RichText();
  if (bytes.substr(0, kPdfHeaderReach).find("%PDF-") != std::string_view::npos) {
    throw NotATaskTextError::Pdf();
  }
  const std::string_view picture = PictureKindOf(bytes);
  if (!picture.empty()) throw NotATaskTextError::Picture(picture);
}

void RefuseBinaryText(std::u16string_view text) {
  // A binary file has one control character in about nine; a text that
  // holds one in thirty-two is no text any more.
  constexpr std::size_t kFewest = 4;
  constexpr std::size_t kShare = 32;
  const auto controls =
      static_cast<std::size_t>(std::count_if(text.begin(), text.end(), IsControl));
  if (controls >= kFewest && controls * kShare >= text.size()) {
    throw NotATaskTextError::ControlCharacters(controls, text.size());
  }
}

}  // namespace texttoxml::conversion
