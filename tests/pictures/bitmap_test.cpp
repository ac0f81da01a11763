#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "kinds_test_support.h"
#include "pictures/bitmap.h"
#include "pictures/jpeg_image.h"
#include "pictures/picture_errors.h"
#include "test_support.h"

namespace texttoxml::pictures {
namespace {

using testing::Crc32;
using testing::DecodedRgb;
using testing::ReadSuite;
using testing::SuiteRgb;

// A 40-byte-header bitmap file from its parts; `offset` 0 puts the pixels
// right after the colour table.
std::string MakeBitmapFile(std::int32_t width, std::int32_t height, int bits,
                           const std::string& table, const std::string& pixels,
                           std::uint32_t offset = 0, std::uint32_t compression = 0) {
  const auto dataStart = static_cast<std::uint32_t>(54 + table.size());
  std::string file = "BM";
  AppendU32Le(file, 0);
  AppendU32Le(file, 0);
  AppendU32Le(file, offset != 0 ? offset : dataStart);
  AppendU32Le(file, 40);
  AppendU32Le(file, static_cast<std::uint32_t>(width));
  AppendU32Le(file, static_cast<std::uint32_t>(height));
  AppendU16Le(file, 1);
  AppendU16Le(file, static_cast<std::uint32_t>(bits));
  AppendU32Le(file, compression);
  AppendU32Le(file, 0);
  for (int i = 0; i < 4; ++i) AppendU32Le(file, 0);
  file += table;
  if (offset > dataStart) file += std::string(offset - dataStart, '\x5A');
  return file + pixels;
}

TEST(BitmapSuite, FilesDecodeAsAnIndependentDecoderSeesThem) {
  // Expected values made by python3-pil (make_pictures.py).
  std::ifstream list(testing::KindsPath("bmpsuite_rgb_crc.txt"));
  std::string name;
  int width = 0, height = 0, checked = 0;
  std::string crc;
  while (list >> name >> width >> height >> crc) {
    SCOPED_TRACE(name);
    Bitmap bitmap;
    bitmap.LoadFromBytes(ReadSuite(name));
    EXPECT_EQ(bitmap.Width(), width);
    EXPECT_EQ(bitmap.Height(), height);
    EXPECT_EQ(Crc32(DecodedRgb(bitmap)), std::stoul(crc, nullptr, 16));
    ++checked;
  }
  EXPECT_GE(checked, 25);
}

TEST(BitmapSuite, FilesOfOnePictureDecodeAlike) {
  const auto truecolour = SuiteRgb("g/rgb24.bmp");
  for (const char* name : {"g/rgb32bf.bmp", "q/rgb32h52.bmp"}) {
    EXPECT_EQ(SuiteRgb(name), truecolour) << name;
  }
  EXPECT_EQ(SuiteRgb("g/pal4rle.bmp"), SuiteRgb("g/pal4.bmp"));
  const auto palette = SuiteRgb("g/pal8.bmp");
  for (const char* name : {"q/pal8os2v2-16.bmp", "q/pal8oversizepal.bmp"}) {
    EXPECT_EQ(SuiteRgb(name), palette) << name;
  }
  // The alpha channel is dropped, wherever the masks put it.
  const auto alpha = SuiteRgb("q/rgba32.bmp");
  EXPECT_EQ(SuiteRgb("q/rgba32abf.bmp"), alpha);
  EXPECT_EQ(SuiteRgb("q/rgba32h56.bmp"), alpha);
  EXPECT_NE(alpha, truecolour);
}

// Each channel value of a `bits`-wide channel widened by repeating its bits.
bool IsReplicated(std::uint8_t value, int bits) {
  const unsigned top = value >> (8 - bits);
  unsigned wide = 0;
  for (int filled = 0; filled < 8; filled += bits) wide = wide << bits | top;
  int filled = 0;
  while (filled < 8) filled += bits;
  return value == ((wide >> (filled - 8)) & 0xFF);
}

TEST(BitmapSuite, NarrowChannelsAreScaledByBitReplication) {
  const auto reference = SuiteRgb("g/rgb24.bmp");
  struct Case {
    const char* name;
    int redBits, greenBits, blueBits;
  };
  for (const Case& c : {Case{"g/rgb16.bmp", 5, 5, 5}, Case{"g/rgb16-565.bmp", 5, 6, 5},
                        Case{"g/rgb16-565pal.bmp", 5, 6, 5}, Case{"q/rgb16-231.bmp", 2, 3, 1},
                        Case{"q/rgb32-111110.bmp", 8, 8, 8}}) {
    SCOPED_TRACE(c.name);
    const auto rgb = SuiteRgb(c.name);
    ASSERT_EQ(rgb.size(), reference.size());
    const int bits[3] = {c.redBits, c.greenBits, c.blueBits};
    std::set<int> seen[3];
    int far = 0;
    for (std::size_t i = 0; i < rgb.size(); ++i) {
      const int channelBits = bits[i % 3];
      EXPECT_TRUE(IsReplicated(rgb[i], channelBits)) << i;
      seen[i % 3].insert(rgb[i]);
      // The same picture, quantised to the channel's width (the narrowest
      // files are dithered instead).
      if (channelBits >= 5 && std::abs(rgb[i] - reference[i]) > (256 >> channelBits)) ++far;
    }
    EXPECT_EQ(far, 0);
    for (const auto& values : seen) {
      EXPECT_TRUE(values.count(0) && values.count(255)) << "full range";
    }
  }
  // 4-bit channels beside an alpha channel.
  for (std::uint8_t value : SuiteRgb("q/rgba16-4444.bmp")) {
    ASSERT_EQ(value >> 4, value & 0x0F);
  }
}

TEST(BitmapSuite, BadFilesFailCleanlyOrLoadConfined) {
  for (const char* name :
       {"b/badbitcount.bmp", "b/badheadersize.bmp", "b/badplanes.bmp", "b/badwidth.bmp",
        "b/rletopdown.bmp", "q/rgb24jpeg.bmp", "q/rgb24png.bmp"}) {
    EXPECT_THROW_MSG(Bitmap().LoadFromBytes(ReadSuite(name)), Error, "Bitmap image is not valid")
        << name;
  }
  EXPECT_THROW_MSG(Bitmap().LoadFromBytes(ReadSuite("b/reallybig.bmp")), Error,
                   "Image is too large (3000000 x 2000000 pixels). "
                   "The limit is 89478485 pixels at this colour depth.");
  // Header fields the pixels do not depend on, a palette size that the
  // pixel offset corrects, damaged run-length data, indices beyond the
  // table: loaded, every pixel inside the picture.
  const auto pal1 = SuiteRgb("g/pal1.bmp");
  for (const char* name :
       {"b/badbitssize.bmp", "b/baddens1.bmp", "b/baddens2.bmp", "b/badfilesize.bmp"}) {
    EXPECT_EQ(SuiteRgb(name), pal1) << name;
  }
  EXPECT_EQ(SuiteRgb("b/badpalettesize.bmp"), SuiteRgb("g/pal8.bmp"));
  for (const char* name : {"b/badrle.bmp", "b/pal8badindex.bmp"}) {
    Bitmap bitmap;
    bitmap.LoadFromBytes(ReadSuite(name));
    EXPECT_EQ(bitmap.Width(), 127);
    EXPECT_EQ(DecodedRgb(bitmap).size(), 127u * 64 * 3) << name;
  }
}

TEST(BitmapReader, ShortAndForeignInputs) {
  Bitmap bitmap;
  bitmap.LoadFromBytes("");
  EXPECT_TRUE(bitmap.Empty());
  std::string out;
  bitmap.SaveToStream(out);
  EXPECT_TRUE(out.empty());

  const std::string good = ReadSuite("g/pal8.bmp");
  EXPECT_THROW_MSG(Bitmap().LoadFromBytes(good.substr(0, 13)), Error, "Stream read error");
  EXPECT_THROW_MSG(Bitmap().LoadFromBytes(good.substr(0, 30)), Error,
                   "Stream read error");  // inside the header
  EXPECT_THROW_MSG(Bitmap().LoadFromBytes("XM" + good.substr(2)), Error,
                   "Bitmap image is not valid");
  EXPECT_THROW_MSG(Bitmap().LoadFromBytes(good.substr(0, 300)), Error,
                   "Bitmap image is not valid");  // in the table
  // Pixels cut short load (see ShortPixelDataIsReadAsFarAsItGoes).
  const std::string rgb24 = ReadSuite("g/rgb24.bmp");
  EXPECT_NO_THROW(Bitmap().LoadFromBytes(rgb24.substr(0, rgb24.size() - 3)));
  EXPECT_NO_THROW(Bitmap().LoadFromBytes(rgb24.substr(0, rgb24.size() - 4)));
}

// The rows a bitmap holds, as written back after loading `file`.
std::string HeldRows(const std::string& file) {
  Bitmap bitmap;
  bitmap.LoadFromBytes(file);
  std::string out;
  bitmap.SaveToStream(out);
  return out.substr(ReadU32Le(out, 10));
}

// The pixel bytes are what the file has, up to the image size (the rows'
// own size for uncompressed pixels); rows the file does not reach are zero.
TEST(BitmapReader, ShortPixelDataIsReadAsFarAsItGoes) {
  // The suite's short file is g/pal1.bmp cut after 211 of its 1024 pixel
  // bytes: 13 whole rows and 3 bytes of the next.
  const std::string pal1 = ReadSuite("g/pal1.bmp");
  const std::string shortFile = ReadSuite("b/shortfile.bmp");
  ASSERT_EQ(shortFile, pal1.substr(0, 273));
  EXPECT_EQ(HeldRows(shortFile), pal1.substr(62, 211) + std::string(1024 - 211, '\0'));
  Bitmap bitmap;
  bitmap.LoadFromBytes(shortFile);
  EXPECT_EQ(bitmap.Width(), 127);
  EXPECT_EQ(bitmap.Height(), 64);
  const auto whole = SuiteRgb("g/pal1.bmp");
  const auto cut = DecodedRgb(bitmap);
  const std::size_t bottomRows = 13u * 127 * 3;
  EXPECT_TRUE(std::equal(whole.end() - static_cast<std::ptrdiff_t>(bottomRows), whole.end(),
                         cut.end() - static_cast<std::ptrdiff_t>(bottomRows)));

  // A 24-bit file cut inside its top row, and one with no pixel bytes.
  const std::string rgb24 = ReadSuite("g/rgb24.bmp");
  const std::size_t start = ReadU32Le(rgb24, 10);
  const std::size_t rowsSize = rgb24.size() - start;
  EXPECT_EQ(HeldRows(rgb24.substr(0, rgb24.size() - 100)),
            rgb24.substr(start, rowsSize - 100) + std::string(100, '\0'));
  EXPECT_EQ(HeldRows(MakeBitmapFile(2, 2, 24, "", "")), std::string(16, '\0'));

  // Bit fields whose image size announces only the first row: the bytes
  // after it are not pixels.
  std::string masks;
  for (std::uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu}) AppendU32Le(masks, mask);
  std::string bitFields = MakeBitmapFile(2, 2, 16, masks, std::string(8, '\xFF'), 0, 3);
  bitFields.replace(34, 4, std::string("\4\0\0\0", 4));
  EXPECT_EQ(HeldRows(bitFields), std::string("\xFF\xFF\xFF\xFF\0\0\0\0", 8));
  bitFields.replace(34, 4, std::string(4, '\0'));  // no size: the rows' own
  EXPECT_EQ(HeldRows(bitFields), std::string(8, '\xFF'));

  // Two-bit pixels cut short are widened with zero cells for what is missing.
  const std::string pal2 = ReadSuite("q/pal2.bmp");
  bitmap.LoadFromBytes(pal2.substr(0, pal2.size() / 2));
  EXPECT_EQ(bitmap.BitsPerPixel(), 4);
  Bitmap wholePal2;
  wholePal2.LoadFromBytes(pal2);
  const auto zero = [](const std::uint8_t* row) {
    return std::all_of(row, row + 64, [](std::uint8_t cell) { return cell == 0; });
  };
  EXPECT_TRUE(zero(bitmap.TopDownRow(0)));
  EXPECT_FALSE(zero(wholePal2.TopDownRow(0)));
  EXPECT_TRUE(std::equal(wholePal2.TopDownRow(bitmap.Height() - 1),
                         wholePal2.TopDownRow(bitmap.Height() - 1) + 8,
                         bitmap.TopDownRow(bitmap.Height() - 1)));
}

TEST(BitmapReader, PixelsComeFromTheFileHeaderOffset) {
  // 2 x 1 pixels at 24 bits behind a 10-byte gap: blue, then red.
  const std::string pixels("\xFF\x00\x00\x00\x00\xFF\x00\x00", 8);
  Bitmap bitmap;
  bitmap.LoadFromBytes(MakeBitmapFile(2, 1, 24, "", pixels, 64));
  EXPECT_EQ(DecodedRgb(bitmap), (std::vector<std::uint8_t>{0, 0, 255, 255, 0, 0}));
  // An offset outside the file is ignored.
  bitmap.LoadFromBytes(MakeBitmapFile(2, 1, 24, "", pixels, 5000));
  EXPECT_EQ(DecodedRgb(bitmap), (std::vector<std::uint8_t>{0, 0, 255, 255, 0, 0}));
  // The suite's file with a gap shows the same picture as the one without.
  EXPECT_EQ(SuiteRgb("q/pal8offs.bmp"), SuiteRgb("g/pal8.bmp"));
}

TEST(BitmapReader, HeadersCannotForceHugeAllocations) {
  EXPECT_THROW_MSG(Bitmap().LoadFromBytes(MakeBitmapFile(60000, 60000, 24, "", "tiny")), Error,
                   "Image is too large (60000 x 60000 pixels). "
                   "The limit is 89478485 pixels at this colour depth.");
  // One bit per pixel, but every row padded to 4 bytes: 8 GiB of rows.
  EXPECT_THROW_MSG(
      Bitmap().LoadFromBytes(MakeBitmapFile(1, 0x7FFFFFFF, 1, std::string(8, '\0'), "tiny")), Error,
      "Image is too large (1 x 2147483647 pixels). "
      "The limit is 2147483648 pixels at this colour depth.");
  // Under the limit, but far more pixels than the file holds: loaded, the
  // missing rows zero; only the limit bounds what is allocated.
  EXPECT_NO_THROW(
      Bitmap().LoadFromBytes(MakeBitmapFile(4000, 4000, 8, std::string(1024, '\0'), "tiny")));
  // Run-length data may legitimately skip most pixels, so only the limit
  // bounds them.
  EXPECT_THROW_MSG(Bitmap().LoadFromBytes(MakeBitmapFile(20000, 20000, 8, std::string(1024, '\0'),
                                                         std::string("\0\1", 2), 0, 1)),
                   Error,
                   "Image is too large (20000 x 20000 pixels). "
                   "The limit is 67108864 pixels at this colour depth.");
}

TEST(BitmapReader, HeldForms) {
  Bitmap bitmap;
  bitmap.LoadFromBytes(ReadSuite("g/pal8rle.bmp"));
  EXPECT_EQ(bitmap.BitsPerPixel(), 32);  // run-length files become true colour
  EXPECT_TRUE(bitmap.ColorTable().empty());
  EXPECT_FALSE(bitmap.Transparent());

  bitmap.LoadFromBytes(ReadSuite("q/pal2.bmp"));
  EXPECT_EQ(bitmap.BitsPerPixel(), 4);  // two-bit cells widened
  ASSERT_EQ(bitmap.ColorTable().size(), 4u);
  std::set<std::vector<std::uint8_t>> colours;
  const auto rgb = DecodedRgb(bitmap);
  for (std::size_t i = 0; i < rgb.size(); i += 3) colours.insert({rgb[i], rgb[i + 1], rgb[i + 2]});
  EXPECT_EQ(colours.size(), 4u);
  for (const RgbQuad& c : bitmap.ColorTable()) {
    EXPECT_TRUE(colours.count({c.red, c.green, c.blue}));
  }

  // Pixels the run-length data skip stay black.
  bitmap.LoadFromBytes(ReadSuite("q/pal8rletrns.bmp"));
  const auto skipped = DecodedRgb(bitmap);
  const auto full = SuiteRgb("g/pal8rle.bmp");
  int black = 0;
  for (std::size_t i = 0; i < full.size(); i += 3) {
    const bool same = std::equal(&full[i], &full[i] + 3, &skipped[i]);
    const bool isBlack = skipped[i] == 0 && skipped[i + 1] == 0 && skipped[i + 2] == 0;
    EXPECT_TRUE(same || isBlack) << i;
    black += isBlack && !same;
  }
  EXPECT_GT(black, 100);

  // Row order does not change what the rows show.
  Bitmap bottomUp, topDown;
  bottomUp.LoadFromBytes(ReadSuite("g/pal8.bmp"));
  topDown.LoadFromBytes(ReadSuite("g/pal8topdown.bmp"));
  for (int y = 0; y < 64; ++y) {
    ASSERT_TRUE(
        std::equal(bottomUp.TopDownRow(y), bottomUp.TopDownRow(y) + 128, topDown.TopDownRow(y)));
  }
}

TEST(BitmapWriter, WrittenForms) {
  // The invalid picture's form: 32 x 32 at 32 bits is 4150 bytes.
  std::vector<std::uint8_t> rows(32 * 32 * 4, 0xFF);
  auto made = Bitmap::FromPixels(32, 32, 32, {}, rows);
  std::string out;
  made->SaveToStream(out);
  ASSERT_EQ(out.size(), 4150u);
  EXPECT_EQ(out.substr(0, 2), "BM");
  EXPECT_EQ(ReadU32Le(out, 2), 4150u);
  EXPECT_EQ(ReadU32Le(out, 10), 54u);
  EXPECT_EQ(ReadU32Le(out, 14), 40u);
  EXPECT_EQ(ReadU32Le(out, 34), 4096u);  // image size
  EXPECT_EQ(ReadU32Le(out, 46), 0u);     // no colours
  EXPECT_THROW(Bitmap::FromPixels(32, 32, 32, {}, std::vector<std::uint8_t>(100)),
               InvalidGraphicError);

  // A run-length file is written as it was read.
  const std::string rle = ReadSuite("g/pal4rle.bmp");
  Bitmap bitmap;
  bitmap.LoadFromBytes(rle);
  out.clear();
  bitmap.SaveToStream(out);
  EXPECT_EQ(out, rle);

  // A core-header file keeps its header form and 3-byte colours.
  bitmap.LoadFromBytes(ReadSuite("g/pal8os2.bmp"));
  out.clear();
  bitmap.SaveToStream(out);
  EXPECT_EQ(out, ReadSuite("g/pal8os2.bmp"));

  // A default-sized table is written with its count; a V5 header becomes a
  // 40-byte one; masks follow a 16-bit header; top-down rows stay top-down.
  struct Case {
    const char* name;
    std::size_t size;
    std::uint32_t colours;
  };
  for (const Case& c : {Case{"g/pal8-0.bmp", 9270, 256}, Case{"g/pal8v5.bmp", 9254, 252},
                        Case{"g/rgb16-565.bmp", 16450, 0}, Case{"g/pal8topdown.bmp", 9254, 252},
                        Case{"q/pal8offs.bmp", 9254, 252}, Case{"q/pal2.bmp", 4166, 4}}) {
    SCOPED_TRACE(c.name);
    bitmap.LoadFromBytes(ReadSuite(c.name));
    out.clear();
    bitmap.SaveToStream(out);
    EXPECT_EQ(out.size(), c.size);
    EXPECT_EQ(ReadU32Le(out, 2), c.size);
    EXPECT_EQ(ReadU32Le(out, 14), 40u);
    EXPECT_EQ(ReadU32Le(out, 46), c.colours);
    Bitmap again;
    again.LoadFromBytes(out);
    EXPECT_EQ(DecodedRgb(again), DecodedRgb(bitmap));
    EXPECT_EQ(again.BitsPerPixel(), bitmap.BitsPerPixel());
  }
}

TEST(Bitmap, Copying) {
  Bitmap source;
  source.LoadFromBytes(ReadSuite("g/pal4.bmp"));
  Bitmap copy;
  copy.Assign(source);
  source.LoadFromBytes(ReadSuite("g/rgb24.bmp"));
  EXPECT_EQ(copy.BitsPerPixel(), 4);
  EXPECT_EQ(DecodedRgb(copy), SuiteRgb("g/pal4.bmp"));
  std::string written, original;
  copy.SaveToStream(written);
  Bitmap fromFile;
  fromFile.LoadFromBytes(ReadSuite("g/pal4.bmp"));
  fromFile.SaveToStream(original);
  EXPECT_EQ(written, original);

  JpegImage jpeg;
  EXPECT_THROW_MSG(copy.Assign(jpeg), ConvertError, "Cannot assign a TJPEGImage to a TBitmap");
}

}  // namespace
}  // namespace texttoxml::pictures
