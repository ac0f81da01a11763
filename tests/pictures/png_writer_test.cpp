// Converting bitmaps to PNG and writing PNG graphics.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "fake_graphic.h"
#include "pictures/bitmap.h"
#include "pictures/little_endian.h"
#include "pictures/picture.h"
#include "pictures/picture_errors.h"
#include "pictures/png_from_bitmap.h"
#include "pictures/png_image.h"
#include "png_test_support.h"
#include "test_support.h"

namespace texttoxml::pictures {
namespace {

using testing::ChunkNames;
using testing::DecodeWithLibpng;
using testing::JoinedImageData;
using testing::SplitPng;

using Rows = std::vector<std::vector<std::uint8_t>>;

// A bitmap made in code from rows given top row first, without padding.
std::unique_ptr<Bitmap> MakeBitmap(int width, int bits, std::vector<RgbQuad> table,
                                   const Rows& topDownRows) {
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  std::vector<std::uint8_t> bottomUp;
  for (auto row = topDownRows.rbegin(); row != topDownRows.rend(); ++row) {
    std::vector<std::uint8_t> padded(*row);
    padded.resize(stride, 0);
    bottomUp.insert(bottomUp.end(), padded.begin(), padded.end());
  }
  return Bitmap::FromPixels(width, static_cast<int>(topDownRows.size()), bits, std::move(table),
                            std::move(bottomUp));
}

std::string ToPng(const Graphic& source) {
  PngImage png;
  png.Assign(source);
  std::string out;
  png.SaveToStream(out);
  return out;
}

// Every pixel of the bitmap as R, G, B, top row first.
std::vector<std::uint8_t> BitmapRgb(const Bitmap& bitmap) {
  const std::size_t rowBytes = static_cast<std::size_t>(bitmap.Width()) * 3;
  std::vector<std::uint8_t> rgb(rowBytes * static_cast<std::size_t>(bitmap.Height()));
  for (int y = 0; y < bitmap.Height(); ++y)
    bitmap.RowToRgb(y, rgb.data() + rowBytes * static_cast<std::size_t>(y));
  return rgb;
}

TEST(PngFromBitmap, OnePixelRgbBitmapGivesTheExactFile) {
  auto bitmap = MakeBitmap(1, 24, {}, {{0x30, 0x20, 0x10}});
  const std::string expected(
      "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x01\x00\x00"
      "\x00\x01\x08\x02\x00\x00\x00\x90\x77\x53\xDE\x00\x00\x00\x0C\x49\x44\x41\x54\x78\xDA\x63"
      "\x14\x50\x30\x00\x00\x00\xA8\x00\x62\xC7\x64\x57\x0C\x00\x00\x00\x00\x49\x45\x4E\x44\xAE"
      "\x42\x60\x82",
      69);
  EXPECT_EQ(ToPng(*bitmap), expected);
}

TEST(PngFromBitmap, PaletteBitmapsKeepTheirDepthAndWriteEveryIndex) {
  const std::vector<RgbQuad> table = {{10, 20, 30, 0}, {200, 150, 100, 0}};
  struct Case {
    int bits;
    Rows rows;  // indices 1, 0, 1 on the top row, 0, 1, 0 below
  };
  const Case cases[] = {
      {1, {{0xA0}, {0x40}}}, {4, {{0x10, 0x10}, {0x01, 0x00}}}, {8, {{1, 0, 1}, {0, 1, 0}}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    const std::string png = ToPng(*MakeBitmap(3, c.bits, table, c.rows));
    const auto frames = SplitPng(png);
    ASSERT_EQ(ChunkNames(frames), (std::vector<std::string>{"IHDR", "PLTE", "IDAT", "IEND"}));
    EXPECT_EQ(frames[0].data[8], c.bits);
    EXPECT_EQ(frames[0].data[9], 3);
    const std::size_t entries = std::size_t{1} << c.bits;
    ASSERT_EQ(frames[1].data.size(), entries * 3);
    EXPECT_EQ(frames[1].data.substr(0, 6), std::string("\x1E\x14\x0A\x64\x96\xC8", 6));
    EXPECT_EQ(frames[1].data.substr(6), std::string((entries - 2) * 3, '\0'));

    const auto decoded = DecodeWithLibpng(png);
    ASSERT_TRUE(decoded.ok) << decoded.error;
    const std::vector<std::uint8_t> a = {30, 20, 10}, b = {100, 150, 200};
    std::vector<std::uint8_t> expected;
    for (const auto* pixel : {&b, &a, &b, &a, &b, &a})
      expected.insert(expected.end(), pixel->begin(), pixel->end());
    EXPECT_EQ(decoded.pixels, expected);
  }
}

// A 3 x 2 bitmap file with 2-bit pixels: indices 3, 0, 2 on the top row,
// 1, 2, 3 below, and four distinct colours.
std::string TwoBitBitmapFile() {
  std::string file = "BM";
  for (std::uint32_t value : {0u, 0u, 14u + 40u + 16u, 40u, 3u, 2u}) AppendU32Le(file, value);
  AppendU16Le(file, 1);
  AppendU16Le(file, 2);
  for (int i = 0; i < 6; ++i) AppendU32Le(file, 0);
  file += std::string("\x10\x20\x30\0\x40\x50\x60\0\x70\x80\x90\0\xA0\xB0\xC0\0", 16);
  return file + std::string("\x6C\0\0\0\xC8\0\0\0", 8);  // bottom row first
}

// Two-bit bitmaps are held in 4-bit cells, but their PNG palette has only the
// four entries a 2-bit index can reach; the header is written at depth 4 and
// the indices are kept.
TEST(PngFromBitmap, TwoBitBitmapsGetFourPaletteEntriesAtDepthFour) {
  for (const std::string& file :
       {TwoBitBitmapFile(),
        testing::ReadFile(TEXTTOXML_TEST_DATA "/pictures/bmpsuite/q/pal2.bmp")}) {
    Bitmap bitmap;
    bitmap.LoadFromBytes(file);
    ASSERT_EQ(bitmap.ColorTable().size(), 4u);
    const std::string png = ToPng(bitmap);
    const auto frames = SplitPng(png);
    ASSERT_EQ(ChunkNames(frames), (std::vector<std::string>{"IHDR", "PLTE", "IDAT", "IEND"}));
    EXPECT_EQ(frames[0].data.substr(8, 2), std::string("\x04\x03", 2));
    std::string palette;
    for (const RgbQuad& c : bitmap.ColorTable())
      palette += {static_cast<char>(c.red), static_cast<char>(c.green), static_cast<char>(c.blue)};
    EXPECT_EQ(frames[1].data, palette);

    const auto decoded = DecodeWithLibpng(png);
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_EQ(decoded.pixels, BitmapRgb(bitmap));
  }
  // The made file's pixels, as an independent decoder sees the PNG.
  Bitmap made;
  made.LoadFromBytes(TwoBitBitmapFile());
  const auto decoded = DecodeWithLibpng(ToPng(made));
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.pixels,
            (std::vector<std::uint8_t>{0xC0, 0xB0, 0xA0, 0x30, 0x20, 0x10, 0x90, 0x80, 0x70, 0x60,
                                       0x50, 0x40, 0x90, 0x80, 0x70, 0xC0, 0xB0, 0xA0}));
}

TEST(PngFromBitmap, TrueColourBitmapsBecomeRgb8WithoutAlpha) {
  // 32 bits with alpha bytes that differ from 255: the alpha is dropped.
  auto rgba = MakeBitmap(2, 32, {}, {{1, 2, 3, 0, 4, 5, 6, 128}});
  std::string png = ToPng(*rgba);
  auto frames = SplitPng(png);
  EXPECT_EQ(ChunkNames(frames), (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  EXPECT_EQ(frames[0].data.substr(8, 2), std::string("\x08\x02", 2));
  auto decoded = DecodeWithLibpng(png);
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.pixels, (std::vector<std::uint8_t>{3, 2, 1, 6, 5, 4}));

  // 16 bits, 5-5-5: white, red, black and a mid blue.
  auto rgb555 = MakeBitmap(4, 16, {}, {{0xFF, 0x7F, 0x00, 0x7C, 0x00, 0x00, 0x1F, 0x00}});
  png = ToPng(*rgb555);
  frames = SplitPng(png);
  EXPECT_EQ(frames[0].data.substr(8, 2), std::string("\x08\x02", 2));
  decoded = DecodeWithLibpng(png);
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.pixels,
            (std::vector<std::uint8_t>{255, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 255}));
}

// Every good bitmap of the BMP suite converts to a PNG that an independent
// decoder reads as the bitmap's own pixels.
TEST(PngFromBitmap, BitmapSuiteConvertsToTheSamePixels) {
  const std::filesystem::path folder = std::filesystem::path(TEXTTOXML_TEST_DATA) / "pictures" /
                                       "bmpsuite" / "g";
  int converted = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    SCOPED_TRACE(entry.path().filename().string());
    Bitmap bitmap;
    bitmap.LoadFromBytes(testing::ReadFile(entry.path().string()));
    const auto frames = SplitPng(ToPng(bitmap));
    const auto decoded = DecodeWithLibpng(ToPng(bitmap));
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_EQ(decoded.colorType, bitmap.BitsPerPixel() < 16 ? 3 : 2);
    EXPECT_EQ(decoded.bitDepth, bitmap.BitsPerPixel() < 16 ? bitmap.BitsPerPixel() : 8);
    EXPECT_EQ(decoded.pixels, BitmapRgb(bitmap));
    ++converted;
  }
  EXPECT_GE(converted, 20);
}

TEST(PngFromBitmap, TopDownAndBottomUpFilesGiveTheSameBytes) {
  const std::string folder = std::string(TEXTTOXML_TEST_DATA "/pictures") + "/bmpsuite/g/";
  Bitmap bottomUp, topDown;
  bottomUp.LoadFromBytes(testing::ReadFile(folder + "pal8.bmp"));
  topDown.LoadFromBytes(testing::ReadFile(folder + "pal8topdown.bmp"));
  const std::string png = ToPng(bottomUp);
  EXPECT_EQ(ToPng(topDown), png);
  const auto decoded = DecodeWithLibpng(png);
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.pixels, BitmapRgb(topDown));
}

TEST(PngFromBitmap, TransparentBitmapsGetTheirBottomLeftColourAsTransparency) {
  auto rgb = MakeBitmap(2, 24, {}, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 1, 2, 3}});
  rgb->SetTransparent(true);
  auto frames = SplitPng(ToPng(*rgb));
  ASSERT_EQ(ChunkNames(frames), (std::vector<std::string>{"IHDR", "tRNS", "IDAT", "IEND"}));
  EXPECT_EQ(frames[1].data, std::string("\0\x09\0\x08\0\x07", 6));

  auto indexed = MakeBitmap(2, 8, {{0, 0, 0, 0}, {1, 1, 1, 0}, {0, 0, 0, 0}}, {{0, 1}, {2, 1}});
  indexed->SetTransparent(true);
  frames = SplitPng(ToPng(*indexed));
  ASSERT_EQ(ChunkNames(frames), (std::vector<std::string>{"IHDR", "PLTE", "tRNS", "IDAT", "IEND"}));
  // Entries 0 and 2 are the bottom-left colour; 3 to 255 are black as well.
  EXPECT_EQ(frames[2].data.size(), 256u);
  EXPECT_EQ(frames[2].data.substr(0, 4), std::string("\0\xFF\0\0", 4));
}

TEST(PngFromBitmap, RefusesWhatHasNoPngForm) {
  Bitmap empty;
  PngImage png;
  EXPECT_THROW(png.Assign(empty), InvalidGraphicError);
  EXPECT_TRUE(png.Empty());

  EXPECT_THROW_MSG(png.Assign(texttoxml::testing::FakeGraphic("TForeign", "")), ConvertError,
                   "Cannot assign a TForeign to a TPngImage");
}

TEST(PngWriter, EveryRowIsSubFiltered) {
  std::mt19937 random(7);
  Rows rows(5, std::vector<std::uint8_t>(3 * 6));
  for (auto& row : rows)
    for (auto& byte : row) byte = static_cast<std::uint8_t>(random());
  std::vector<std::unique_ptr<Bitmap>> bitmaps;
  bitmaps.push_back(MakeBitmap(6, 24, {}, rows));
  bitmaps.push_back(MakeBitmap(6, 1, {}, {{0xAC}, {0x54}, {0xFC}}));
  for (const auto& bitmap : bitmaps) {
    PngImage png;
    png.Assign(*bitmap);
    std::string out;
    png.SaveToStream(out);
    const std::string data = testing::Inflate(JoinedImageData(SplitPng(out)));
    const bool rgb = bitmap->BitsPerPixel() == 24;
    const std::size_t length = rgb ? 18 : 1, step = rgb ? 3 : 1;
    ASSERT_EQ(data.size(), (length + 1) * static_cast<std::size_t>(bitmap->Height()));
    for (int y = 0; y < bitmap->Height(); ++y) {
      const std::size_t at = static_cast<std::size_t>(y) * (length + 1);
      EXPECT_EQ(data[at], 1) << "row " << y;
      const std::uint8_t* expected = png.Header()->ImageRow(static_cast<std::uint32_t>(y));
      for (std::size_t i = 0; i < length; ++i) {
        const int left = i >= step ? expected[i - step] : 0;
        EXPECT_EQ(static_cast<std::uint8_t>(data[at + 1 + i]),
                  static_cast<std::uint8_t>(expected[i] - left));
      }
    }
  }
}

TEST(PngWriter, ImageDataIsCutIntoFramesOfTheMaximumSize) {
  std::mt19937 random(11);
  Rows rows(300, std::vector<std::uint8_t>(300 * 3));
  for (auto& row : rows)
    for (auto& byte : row) byte = static_cast<std::uint8_t>(random());
  auto bitmap = MakeBitmap(300, 24, {}, rows);
  PngImage png;
  png.Assign(*bitmap);
  png.SetMaxIdatSize(1000);
  EXPECT_EQ(png.MaxIdatSize(), 65535);
  for (int size : {65535, 100000}) {
    SCOPED_TRACE(size);
    png.SetMaxIdatSize(size);
    std::string out;
    png.SaveToStream(out);
    const auto frames = SplitPng(out);
    std::vector<std::size_t> lengths;
    for (const auto& frame : frames) {
      EXPECT_TRUE(frame.crcOk) << frame.name;
      if (frame.name == "IDAT") lengths.push_back(frame.data.size());
    }
    ASSERT_GE(lengths.size(), 2u);
    for (std::size_t i = 0; i + 1 < lengths.size(); ++i)
      EXPECT_EQ(lengths[i], static_cast<std::size_t>(size));
    EXPECT_GT(lengths.back(), 0u);
    EXPECT_LE(lengths.back(), static_cast<std::size_t>(size));
    const auto decoded = DecodeWithLibpng(out);
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_EQ(decoded.pixels, BitmapRgb(*bitmap));
  }
}

TEST(PngWriter, WritingIsRepeatableAndCopiesWriteTheSameBytes) {
  auto bitmap = MakeBitmap(2, 4, {{1, 2, 3, 0}}, {{0x01, 0x00}, {0x10, 0x00}});
  PngImage png;
  png.Assign(*bitmap);
  std::string first, second, copied;
  png.SaveToStream(first);
  png.SaveToStream(second);
  EXPECT_EQ(first, second);
  auto copy = png.CreateNew();
  copy->Assign(png);
  copy->SaveToStream(copied);
  EXPECT_EQ(copied, first);
  EXPECT_EQ(copy->ClassName(), "TPngImage");
  EXPECT_EQ(copy->Width(), 2);
  EXPECT_EQ(copy->Height(), 2);
}

TEST(ConvertPictureToPng, ReplacesExactlyBitmaps) {
  auto bitmap = MakeBitmap(1, 24, {}, {{0x30, 0x20, 0x10}});
  const std::string expected = ToPng(*bitmap);

  Picture picture;
  picture.Assign(*bitmap);
  EXPECT_TRUE(ConvertPictureToPng(picture));
  ASSERT_NE(picture.GetGraphic(), nullptr);
  EXPECT_EQ(picture.GetGraphic()->ClassName(), "TPngImage");
  std::string out;
  picture.GetGraphic()->SaveToStream(out);
  EXPECT_EQ(out, expected);

  // Already a PNG graphic: left as it is.
  const Graphic* before = picture.GetGraphic();
  EXPECT_FALSE(ConvertPictureToPng(picture));
  EXPECT_EQ(picture.GetGraphic(), before);

  Picture empty;
  EXPECT_FALSE(ConvertPictureToPng(empty));
  EXPECT_EQ(empty.GetGraphic(), nullptr);
}

// The road of a picture variant: a bitmap file loads as a bitmap and is
// stored as PNG; a PNG file is stored re-encoded, not with its own bytes.
TEST(ConvertPictureToPng, PictureFilesEndAsPngGraphics) {
  testing::TempDir folder;
  const std::string suite = std::string(TEXTTOXML_TEST_DATA "/pictures");
  const std::string bmpPath =
      folder.Write("photo.BMP", testing::ReadFile(suite + "/bmpsuite/g/rgb24.bmp"));
  const std::string pngBytes = testing::ReadFile(suite + "/pngsuite/basn2c08.png");
  const std::string pngPath = folder.Write("photo.Png", pngBytes);

  Picture bmp;
  bmp.LoadFromFile(bmpPath);
  EXPECT_EQ(bmp.GetGraphic()->ClassName(), "TBitmap");
  const auto bitmapRgb = BitmapRgb(static_cast<const Bitmap&>(*bmp.GetGraphic()));
  EXPECT_TRUE(ConvertPictureToPng(bmp));
  std::string stored;
  CopyGraphic(*bmp.GetGraphic())->SaveToStream(stored);
  const auto decoded = DecodeWithLibpng(stored);
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.pixels, bitmapRgb);

  Picture png;
  png.LoadFromFile(pngPath);
  EXPECT_EQ(png.GetGraphic()->ClassName(), "TPngImage");
  EXPECT_FALSE(ConvertPictureToPng(png));
  stored.clear();
  CopyGraphic(*png.GetGraphic())->SaveToStream(stored);
  EXPECT_NE(stored, pngBytes);
  EXPECT_EQ(DecodeWithLibpng(stored).pixels, DecodeWithLibpng(pngBytes).pixels);
}

// A kind derived from the bitmap is not a bitmap for the conversion.
class DerivedBitmap : public Bitmap {
 public:
  std::unique_ptr<Graphic> CreateNew() const override { return std::make_unique<DerivedBitmap>(); }
};

TEST(ConvertPictureToPng, LeavesDerivedBitmapsAlone) {
  Picture picture;
  picture.Assign(DerivedBitmap());
  const Graphic* before = picture.GetGraphic();
  ASSERT_NE(before, nullptr);
  EXPECT_FALSE(ConvertPictureToPng(picture));
  EXPECT_EQ(picture.GetGraphic(), before);
  EXPECT_EQ(dynamic_cast<const DerivedBitmap*>(picture.GetGraphic()), before);
}

}  // namespace
}  // namespace texttoxml::pictures
