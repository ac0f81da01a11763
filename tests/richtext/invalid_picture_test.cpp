#include "richtext/invalid_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <utility>

namespace texttoxml::richtext {
namespace {

std::uint32_t Le32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// The picture described cell by cell: row 0 at the top, column 0 at the left.
std::uint32_t ExpectedColor(int row, int column) {
  const std::uint32_t white = 0xFFFFFF, grey = 0x808080, silver = 0xC0C0C0, black = 0,
                      red = 0xFF0000;
  if (row == 0 || row == 31 || column == 0 || column == 31) return grey;
  static const std::set<std::pair<int, int>> cross = {
      {13, 13}, {13, 14}, {13, 17}, {13, 18}, {14, 14}, {14, 15}, {14, 16}, {14, 17}, {15, 15},
      {15, 16}, {16, 14}, {16, 15}, {16, 16}, {16, 17}, {17, 13}, {17, 14}, {17, 17}, {17, 18}};
  if (cross.count({row, column})) return red;
  const bool onPage = row >= 8 && row <= 23 && column >= 9 && column <= 22;
  if (!onPage) return white;
  if (row == 8) return grey;
  if (row == 23 || column == 22) return black;
  if (column == 9) return grey;
  if (column == 21 || row == 22) return silver;
  return white;
}

TEST(InvalidPicture, IsThe4150ByteBitmapOfAPageWithARedCross) {
  auto picture = MakeInvalidPicture();
  EXPECT_EQ(picture->ClassName(), "TBitmap");
  EXPECT_EQ(picture->Width(), 32);
  EXPECT_EQ(picture->Height(), 32);
  std::string bytes;
  picture->SaveToStream(bytes);
  ASSERT_EQ(bytes.size(), 4150u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(Le32(bytes, 2), 4150u);
  EXPECT_EQ(Le32(bytes, 6), 0u);
  EXPECT_EQ(Le32(bytes, 10), 54u);
  EXPECT_EQ(Le32(bytes, 14), 40u);
  EXPECT_EQ(Le32(bytes, 18), 32u);
  EXPECT_EQ(Le32(bytes, 22), 32u);
  EXPECT_EQ(Le32(bytes, 26), 1u | 32u << 16);  // planes, bits per pixel
  EXPECT_EQ(Le32(bytes, 30), 0u);              // no compression
  EXPECT_EQ(Le32(bytes, 34), 4096u);
  for (std::size_t at = 38; at < 54; at += 4) EXPECT_EQ(Le32(bytes, at), 0u) << at;

  int wrong = 0;
  for (int row = 0; row < 32; ++row) {
    for (int column = 0; column < 32; ++column) {
      // Bottom row first, each pixel blue, green, red, 0.
      const std::uint32_t bgr0 = Le32(bytes, 54 + 4 * (32 * (31 - row) + column));
      if (bgr0 != ExpectedColor(row, column)) {
        ADD_FAILURE() << "row " << row << " column " << column << ": " << std::hex << bgr0;
        if (++wrong > 5) return;
      }
    }
  }
}

}  // namespace
}  // namespace texttoxml::richtext
