#include "richtext/invalid_picture.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "pictures/bitmap.h"

namespace texttoxml::richtext {

namespace {

constexpr int kSize = kInvalidPictureSize;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0x808080;
constexpr std::uint32_t kSilver = 0xC0C0C0;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0xFF0000;

using Canvas = std::array<std::array<std::uint32_t, kSize>, kSize>;  // [row][column]

void FillRow(Canvas& canvas, int row, int first, int last, std::uint32_t rgb) {
  for (int column = first; column <= last; ++column) canvas[row][column] = rgb;
}

void FillColumn(Canvas& canvas, int column, int first, int last, std::uint32_t rgb) {
  for (int row = first; row <= last; ++row) canvas[row][column] = rgb;
}

// Rows counted from the top, columns from the left.
Canvas Draw() {
  Canvas canvas;
  for (auto& row : canvas) row.fill(kWhite);
  // The frame.
  FillRow(canvas, 0, 0, kSize - 1, kGrey);
  FillRow(canvas, kSize - 1, 0, kSize - 1, kGrey);
  FillColumn(canvas, 0, 0, kSize - 1, kGrey);
  FillColumn(canvas, kSize - 1, 0, kSize - 1, kGrey);
  // The page, lit from the top left and shaded at the bottom right.
  FillRow(canvas, 8, 9, 22, kGrey);
  FillColumn(canvas, 9, 9, 22, kGrey);
  FillColumn(canvas, 21, 9, 21, kSilver);
  FillRow(canvas, 22, 10, 21, kSilver);
  FillColumn(canvas, 22, 9, 22, kBlack);
  FillRow(canvas, 23, 9, 22, kBlack);
  // The cross.
  for (int column : {13, 14, 17, 18}) canvas[13][column] = canvas[17][column] = kRed;
  FillRow(canvas, 14, 14, 17, kRed);
  FillRow(canvas, 15, 15, 16, kRed);
  FillRow(canvas, 16, 14, 17, kRed);
  return canvas;
}

}  // namespace

std::unique_ptr<pictures::Graphic> MakeInvalidPicture() {
  const Canvas canvas = Draw();
  std::vector<std::uint8_t> rows;
  rows.reserve(kSize * kSize * 4);
  for (int row = kSize - 1; row >= 0; --row) {
    for (std::uint32_t rgb : canvas[row]) {
      rows.push_back(static_cast<std::uint8_t>(rgb));
      rows.push_back(static_cast<std::uint8_t>(rgb >> 8));
      rows.push_back(static_cast<std::uint8_t>(rgb >> 16));
      rows.push_back(0);
    }
  }
  return pictures::Bitmap::FromPixels(kSize, kSize, 32, {}, std::move(rows));
}

}  // namespace texttoxml::richtext
