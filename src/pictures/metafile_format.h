// Reading and writing the two metafile file forms: enhanced metafiles, and
// Windows metafiles behind a 22-byte placeable header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace texttoxml::pictures {

struct MetafileImage {
  // An enhanced metafile's whole record stream (header record included), or
  // a Windows metafile's records up to its end record.
  std::string records;
  bool enhanced = false;
  // The picture size in hundredths of a millimetre.
  std::int32_t mmWidth = 0;
  std::int32_t mmHeight = 0;
  // A Windows metafile's units per inch (0 counts as 96).
  std::uint16_t inch = 0;
  // An enhanced metafile's reference device: its size in pixels and in
  // millimetres.
  std::int32_t devicePixelsX = 0, devicePixelsY = 0;
  std::int32_t deviceMmX = 0, deviceMmY = 0;
};

// True when `bytes` begin like an enhanced metafile (more than 100 bytes,
// a header record, the " EMF" signature).
bool LooksEnhanced(std::string_view bytes);

// Both raise InvalidGraphicError "Metafile is not valid" for a record stream
// that is not sound; the placeable form raises ReadError for a file shorter
// than its 22-byte header.
MetafileImage ReadEnhancedMetafile(std::string_view bytes);
MetafileImage ReadPlaceableMetafile(std::string_view bytes);

// A fresh placeable header for a Windows metafile of the image's size.
void AppendPlaceableHeader(const MetafileImage& image, std::string& out);

// a * b / c rounded to the nearest integer, halves away from zero; 0 when c
// is 0.
std::int64_t MulDivRound(std::int64_t a, std::int64_t b, std::int64_t c);

}  // namespace texttoxml::pictures
