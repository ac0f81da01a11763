// Helpers for the picture kind tests: test files, decoded pixels, and small
// metafiles built byte by byte.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/bitmap.h"
#include "pictures/little_endian.h"
#include "test_support.h"

namespace texttoxml::pictures::testing {

inline std::string SuitePath(std::string_view name) {
  return std::string(TEXTTOXML_TEST_DATA "/pictures/bmpsuite/") + std::string(name);
}

inline std::string KindsPath(std::string_view name) {
  return std::string(TEXTTOXML_TEST_DATA "/pictures/kinds/") + std::string(name);
}

inline std::string ReadSuite(std::string_view name) {
  return texttoxml::testing::ReadFile(SuitePath(name));
}

inline std::string ReadKinds(std::string_view name) {
  return texttoxml::testing::ReadFile(KindsPath(name));
}

// The whole picture as R, G, B rows from the top.
inline std::vector<std::uint8_t> DecodedRgb(const Bitmap& bitmap) {
  const std::size_t rowSize = static_cast<std::size_t>(bitmap.Width()) * 3;
  std::vector<std::uint8_t> rgb(rowSize * static_cast<std::size_t>(bitmap.Height()));
  for (int y = 0; y < bitmap.Height(); ++y) {
    bitmap.RowToRgb(y, rgb.data() + rowSize * static_cast<std::size_t>(y));
  }
  return rgb;
}

inline std::vector<std::uint8_t> SuiteRgb(std::string_view name) {
  Bitmap bitmap;
  bitmap.LoadFromBytes(ReadSuite(name));
  return DecodedRgb(bitmap);
}

inline std::uint32_t Crc32(const std::vector<std::uint8_t>& bytes) {
  return static_cast<std::uint32_t>(crc32(0, bytes.data(), static_cast<uInt>(bytes.size())));
}

// An enhanced metafile: a header record with the given frame (hundredths
// of a millimetre) and a reference device of 1920 x 1080 pixels on
// 480 x 270 mm, one 12-byte record, the end-of-file record.
inline std::string MakeEnhancedMetafile(std::int32_t right, std::int32_t bottom) {
  std::string header;
  AppendU32Le(header, 1);                              // header record
  AppendU32Le(header, 108);                            // its size
  for (int i = 0; i < 4; ++i) AppendU32Le(header, 0);  // bounds
  AppendU32Le(header, 0);                              // frame left, top, right, bottom
  AppendU32Le(header, 0);
  AppendU32Le(header, static_cast<std::uint32_t>(right));
  AppendU32Le(header, static_cast<std::uint32_t>(bottom));
  AppendU32Le(header, 0x464D4520);
  AppendU32Le(header, 0x10000);        // version
  AppendU32Le(header, 108 + 12 + 20);  // total size
  AppendU32Le(header, 3);              // records
  AppendU32Le(header, 0);              // handles and reserved
  AppendU32Le(header, 0);              // description
  AppendU32Le(header, 0);
  AppendU32Le(header, 0);  // palette entries
  AppendU32Le(header, 1920);
  AppendU32Le(header, 1080);
  AppendU32Le(header, 480);
  AppendU32Le(header, 270);
  while (header.size() < 108) header += '\0';
  std::string records = header;
  AppendU32Le(records, 27);  // a move-to record
  AppendU32Le(records, 12);
  AppendU32Le(records, 5);
  AppendU32Le(records, 14);  // end of file
  AppendU32Le(records, 20);
  for (std::uint32_t v : {0u, 16u, 20u}) AppendU32Le(records, v);  // no palette
  return records;
}

// The records of a Windows metafile: the standard header, one rectangle
// record, the end record.
inline std::string MakeWindowsRecords() {
  std::string records;
  AppendU16Le(records, 1);          // in memory
  AppendU16Le(records, 9);          // header words
  AppendU16Le(records, 0x0300);     // version
  AppendU32Le(records, 9 + 7 + 3);  // size in words
  AppendU16Le(records, 0);          // objects
  AppendU32Le(records, 7);          // largest record
  AppendU16Le(records, 0);
  AppendU32Le(records, 7);  // rectangle: 7 words
  AppendU16Le(records, 0x041B);
  for (int v : {100, 100, 0, 0}) AppendU16Le(records, static_cast<std::uint32_t>(v));
  AppendU32Le(records, 3);  // end record
  AppendU16Le(records, 0);
  return records;
}

// A placeable header; the checksum is right unless `checksumDelta` spoils it.
inline std::string MakePlaceableHeader(std::int16_t left, std::int16_t top, std::int16_t right,
                                       std::int16_t bottom, std::uint16_t inch,
                                       std::uint16_t handle = 0, std::uint16_t checksumDelta = 0) {
  std::string header;
  AppendU32Le(header, 0x9AC6CDD7);
  AppendU16Le(header, handle);
  for (std::int16_t v : {left, top, right, bottom}) {
    AppendU16Le(header, static_cast<std::uint16_t>(v));
  }
  AppendU16Le(header, inch);
  AppendU32Le(header, 0);
  std::uint16_t sum = 0;
  for (std::size_t i = 0; i < 20; i += 2) sum ^= ReadU16Le(header, i);
  AppendU16Le(header, static_cast<std::uint16_t>(sum ^ checksumDelta));
  return header;
}

}  // namespace texttoxml::pictures::testing
