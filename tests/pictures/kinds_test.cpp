#include <gtest/gtest.h>

#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include "kinds_test_support.h"
#include "pictures/icon.h"
#include "pictures/jpeg_image.h"
#include "pictures/metafile.h"
#include "pictures/picture_errors.h"
#include "pictures/png_bytes.h"
#include "pictures/wic_image.h"
#include "test_support.h"

namespace texttoxml::pictures {
namespace {

using testing::MakeEnhancedMetafile;
using testing::MakePlaceableHeader;
using testing::MakeWindowsRecords;
using testing::ReadKinds;
using testing::ReadSuite;

template <class Kind>
std::string Saved(const Kind& graphic) {
  std::string out;
  graphic.SaveToStream(out);
  return out;
}

TEST(JpegImage, HeaderAndStoredBytes) {
  JpegImage jpeg;
  jpeg.LoadFromBytes(ReadKinds("colour.jpg"));
  EXPECT_EQ(jpeg.Width(), 16);
  EXPECT_EQ(jpeg.Height(), 8);
  EXPECT_FALSE(jpeg.Grayscale());
  EXPECT_FALSE(jpeg.ProgressiveEncoding());
  jpeg.LoadFromBytes(ReadKinds("grey.jpg"));
  EXPECT_TRUE(jpeg.Grayscale());
  jpeg.LoadFromBytes(ReadKinds("progressive.jpg"));
  EXPECT_TRUE(jpeg.ProgressiveEncoding());

  // Stored byte for byte, whatever follows the image.
  const std::string trailing = ReadKinds("colour.jpg") + "trailing bytes\x00\xFF";
  jpeg.LoadFromBytes(trailing);
  EXPECT_EQ(Saved(jpeg), trailing);

  jpeg.LoadFromBytes("");
  EXPECT_TRUE(jpeg.Empty());
  EXPECT_EQ(Saved(jpeg), "");
}

TEST(JpegImage, TakesOverTheBytesItIsGiven) {
  const std::string bytes = ReadKinds("colour.jpg");
  JpegImage fromFile;
  fromFile.LoadFromFile(testing::KindsPath("colour.jpg"));
  EXPECT_EQ(fromFile.Width(), 16);
  EXPECT_EQ(Saved(fromFile), bytes);

  JpegImage owned;
  owned.LoadFromOwnedBytes(bytes + "tail");
  EXPECT_EQ(owned.Height(), 8);
  EXPECT_EQ(Saved(owned), bytes + "tail");
  EXPECT_THROW(owned.LoadFromOwnedBytes("not a JPEG"), JpegError);
  EXPECT_EQ(Saved(owned), bytes + "tail");  // a failed load keeps the image
  owned.LoadFromOwnedBytes("");
  EXPECT_TRUE(owned.Empty());
}

TEST(JpegImage, LibraryErrorsCarryTheMessageCode) {
  EXPECT_THROW_MSG(JpegImage().LoadFromBytes("not a JPEG at all"), Error,
                   "JPEG error #" + std::to_string(JERR_NO_SOI));
  // Cut inside the header: the library meets the end before any scan.
  EXPECT_THROW_MSG(JpegImage().LoadFromBytes(ReadKinds("colour.jpg").substr(0, 100)), Error,
                   "JPEG error #" + std::to_string(JERR_NO_IMAGE));
  // A failed load keeps the previous image.
  JpegImage jpeg;
  jpeg.LoadFromBytes(ReadKinds("grey.jpg"));
  EXPECT_THROW(jpeg.LoadFromBytes("\xFF\xD8\xFF\xFF"), JpegError);
  EXPECT_TRUE(jpeg.Grayscale());
}

TEST(JpegImage, CopiesShareTheImage) {
  JpegImage source, copy, other;
  source.LoadFromBytes(ReadKinds("colour.jpg"));
  copy.Assign(source);
  other.LoadFromBytes(ReadKinds("colour.jpg"));
  EXPECT_TRUE(copy.SharesImageWith(source));
  EXPECT_FALSE(other.SharesImageWith(source));
  EXPECT_EQ(Saved(copy), Saved(source));
  // The stored form of every copy is the one string of file bytes they share.
  EXPECT_EQ(copy.SavedBytes().get(), source.SavedBytes().get());
  EXPECT_EQ(*copy.SavedBytes(), Saved(source));
  EXPECT_EQ(*JpegImage().SavedBytes(), "");
  // Reloading the source gives it a new image; the copy keeps the old one.
  source.LoadFromBytes(ReadKinds("grey.jpg"));
  EXPECT_FALSE(copy.SharesImageWith(source));
  EXPECT_EQ(Saved(copy), ReadKinds("colour.jpg"));
  Icon icon;
  EXPECT_THROW(copy.Assign(icon), ConvertError);
}

TEST(Icon, LoadingAndStoring) {
  const std::string file = ReadKinds("icon.ico");
  Icon icon;
  icon.LoadFromBytes(file);
  EXPECT_EQ(icon.Width(), 16);
  EXPECT_EQ(icon.Height(), 16);
  EXPECT_EQ(Saved(icon), file);

  std::string cursor = file;
  cursor[2] = 2;
  EXPECT_THROW_MSG(Icon().LoadFromBytes(cursor), Error, "Icon image is not valid");
  std::string typeZero = file;
  typeZero[2] = 0;
  EXPECT_NO_THROW(Icon().LoadFromBytes(typeZero));
  EXPECT_THROW_MSG(Icon().LoadFromBytes(file.substr(0, 5)), Error, "Stream read error");
  EXPECT_THROW_MSG(Icon().LoadFromBytes(""), Error, "Stream read error");
  // Only the directory header is checked: the icons are never decoded.
  EXPECT_NO_THROW(Icon().LoadFromBytes(file.substr(0, 6)));

  Icon copy;
  copy.Assign(icon);
  EXPECT_TRUE(copy.SharesImageWith(icon));
  EXPECT_EQ(Saved(copy), file);
}

TEST(Metafile, EnhancedMetafiles) {
  const std::string emf = MakeEnhancedMetafile(5080, 2540);
  Metafile metafile;
  metafile.LoadFromBytes(emf + "after the end");
  EXPECT_TRUE(metafile.Enhanced());
  EXPECT_EQ(metafile.MMWidth(), 5080);
  EXPECT_EQ(metafile.MMHeight(), 2540);
  EXPECT_EQ(metafile.Inch(), 0);
  // 4 pixels per millimetre on the reference device.
  EXPECT_EQ(metafile.Width(), 203);
  EXPECT_EQ(metafile.Height(), 102);
  EXPECT_EQ(Saved(metafile), emf);  // the record stream as held

  auto loadSpoiled = [&](std::size_t at, std::uint32_t value) {
    std::string bad = emf;
    for (int i = 0; i < 4; ++i) bad[at + i] = static_cast<char>(value >> (8 * i));
    Metafile().LoadFromBytes(bad);
  };
  const char* const kInvalid = "Metafile is not valid";
  EXPECT_THROW_MSG(loadSpoiled(112, 10), InvalidMetafileError,
                   kInvalid);  // size not a multiple of 4
  EXPECT_THROW_MSG(loadSpoiled(112, 400), InvalidMetafileError,
                   kInvalid);  // record beyond the stream
  EXPECT_THROW_MSG(loadSpoiled(120, 27), InvalidMetafileError, kInvalid);   // no end-of-file record
  EXPECT_THROW_MSG(loadSpoiled(48, 4000), InvalidMetafileError, kInvalid);  // total beyond the file
  EXPECT_THROW_MSG(loadSpoiled(48, 120), InvalidMetafileError,
                   kInvalid);  // total cuts a record off
}

TEST(Metafile, PlaceableWindowsMetafiles) {
  const std::string records = MakeWindowsRecords();
  const std::string file = MakePlaceableHeader(10, 20, 110, 70, 1440, 7) + records;
  Metafile metafile;
  metafile.LoadFromBytes(file + "junk after the end record");
  EXPECT_FALSE(metafile.Enhanced());
  EXPECT_EQ(metafile.Inch(), 1440);
  EXPECT_EQ(metafile.MMWidth(), 176);  // 100 * 2540 / 1440 = 176.4
  EXPECT_EQ(metafile.MMHeight(), 88);  // 50 * 2540 / 1440 = 88.2
  EXPECT_EQ(metafile.Width(), 7);      // at 96 pixels per inch
  // A fresh header at the origin (handle 0, right and bottom from the
  // millimetre size, a new checksum), then the records as read.
  EXPECT_EQ(Saved(metafile), MakePlaceableHeader(0, 0, 100, 50, 1440) + records);

  // Units per inch of 0 count as 96 for the size and are written as 96.
  metafile.LoadFromBytes(MakePlaceableHeader(0, 0, 96, 48, 0) + records);
  EXPECT_EQ(metafile.MMWidth(), 2540);
  EXPECT_EQ(metafile.MMHeight(), 1270);
  EXPECT_EQ(Saved(metafile), MakePlaceableHeader(0, 0, 96, 48, 96) + records);

  EXPECT_THROW_MSG(Metafile().LoadFromBytes(records), Error,
                   "Metafile is not valid");  // no placeable header
  EXPECT_THROW_MSG(Metafile().LoadFromBytes(MakePlaceableHeader(0, 0, 9, 9, 96, 0, 1) + records),
                   Error, "Metafile is not valid");
  EXPECT_THROW_MSG(Metafile().LoadFromBytes(MakePlaceableHeader(0, 0, 9, 9, 96)), Error,
                   "Metafile is not valid");
  EXPECT_THROW_MSG(Metafile().LoadFromBytes(MakePlaceableHeader(0, 0, 9, 9, 96) +
                                            records.substr(0, records.size() - 6)),
                   Error,
                   "Metafile is not valid");  // no end record
  std::string huge = records;
  huge[18] = '\x7F';  // the rectangle record claims 127 words
  EXPECT_THROW_MSG(Metafile().LoadFromBytes(MakePlaceableHeader(0, 0, 9, 9, 96) + huge), Error,
                   "Metafile is not valid");
}

// The placeable header is read whole before anything is checked: a file
// shorter than its 22 bytes, empty included, is a read error, whatever it
// holds; from 22 bytes on the content decides.
TEST(Metafile, FilesShorterThanThePlaceableHeaderAreReadErrors) {
  const std::string file = MakePlaceableHeader(0, 0, 96, 48, 96) + MakeWindowsRecords();
  for (std::size_t length : {0, 1, 4, 21}) {
    EXPECT_THROW_MSG(Metafile().LoadFromBytes(file.substr(0, length)), Error, "Stream read error")
        << length;
    EXPECT_THROW_MSG(Metafile().LoadFromBytes(std::string(length, '\x7F')), Error,
                     "Stream read error")
        << length;
  }
  EXPECT_THROW_MSG(Metafile().LoadFromBytes(file.substr(0, 22)), Error,
                   "Metafile is not valid");  // no records
  EXPECT_THROW_MSG(Metafile().LoadFromBytes(std::string(22, '\x7F')), Error,
                   "Metafile is not valid");
  EXPECT_THROW_MSG(Metafile().LoadFromBytes("not a metafile at all, but long"), Error,
                   "Metafile is not valid");
}

TEST(Metafile, WindowsRecordsAreStoredConsistentWithThemselves) {
  const std::string records = MakeWindowsRecords();  // 19 words, largest 7
  auto claiming = [&](std::uint32_t words, std::uint32_t largest) {
    std::string changed = records;
    PutU32Le(changed, 6, words);
    PutU32Le(changed, 12, largest);
    return changed;
  };
  const std::string expected = MakePlaceableHeader(0, 0, 96, 48, 96) + records;
  // Headers that claim more (as real files often do), less, or nothing;
  // bytes after the end record are never stored.
  for (const auto& [words, largest] :
       {std::pair<std::uint32_t, std::uint32_t>{400, 90}, {3, 3}, {0, 0}, {19, 7}}) {
    SCOPED_TRACE(words);
    Metafile metafile;
    metafile.LoadFromBytes(MakePlaceableHeader(0, 0, 96, 48, 96) + claiming(words, largest) +
                           std::string(30, '\x55'));
    const std::string saved = Saved(metafile);
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(ReadU32Le(saved, 22 + 6) * 2, saved.size() - 22);
    EXPECT_EQ(saved.substr(saved.size() - 6), std::string("\3\0\0\0\0\0", 6));  // the end record
  }
}

TEST(Metafile, CopiesShareTheImage) {
  Metafile source, copy;
  source.LoadFromBytes(MakePlaceableHeader(0, 0, 96, 48, 96) + MakeWindowsRecords());
  copy.Assign(source);
  EXPECT_TRUE(copy.SharesImageWith(source));
  EXPECT_FALSE(copy.Enhanced());
  EXPECT_EQ(Saved(copy), Saved(source));
  source.LoadFromBytes(MakeEnhancedMetafile(100, 100));
  copy.Assign(source);
  EXPECT_TRUE(copy.Enhanced());
  Icon icon;
  EXPECT_THROW_MSG(copy.Assign(icon), ConvertError, "Cannot assign a TIcon to a TMetafile");
}

TEST(WicImage, RecognisesTheContent) {
  struct Case {
    std::string bytes;
    WicImageFormat format;
    int width, height;
  };
  const std::string png =
      texttoxml::testing::ReadFile(TEXTTOXML_TEST_DATA "/pictures/pngsuite/basn2c08.png");
  for (const Case& c : {Case{ReadKinds("quarters.tif"), WicImageFormat::Tiff, 6, 4},
                        Case{png, WicImageFormat::Png, 32, 32},
                        Case{ReadKinds("colour.jpg"), WicImageFormat::Jpeg, 16, 8},
                        Case{ReadKinds("quarters.gif"), WicImageFormat::Gif, 6, 4},
                        Case{ReadSuite("g/rgb24.bmp"), WicImageFormat::Bmp, 127, 64},
                        Case{ReadKinds("icon.ico"), WicImageFormat::Other, 16, 16}}) {
    WicImage image;
    image.LoadFromBytes(c.bytes);
    EXPECT_EQ(image.ImageFormat(), c.format);
    EXPECT_EQ(image.Width(), c.width);
    EXPECT_EQ(image.Height(), c.height);
    EXPECT_EQ(Saved(image), c.bytes);  // the file's own bytes

    WicImage copy;
    copy.Assign(image);
    image.LoadFromBytes(png);
    EXPECT_EQ(copy.ImageFormat(), c.format);
    EXPECT_EQ(Saved(copy), c.bytes);
  }
}

// An icon file of one 16 x 16 entry holding `image`.
std::string IconHolding(const std::string& image) {
  std::string icon("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0", 14);
  for (std::uint32_t value : {static_cast<std::uint32_t>(image.size()), std::uint32_t{22}}) {
    for (int i = 0; i < 4; ++i) icon += static_cast<char>(value >> (8 * i));
  }
  return icon + image;
}

TEST(WicImage, DecodesPngGifAndIconContentInFull) {
  const std::string png =
      texttoxml::testing::ReadFile(TEXTTOXML_TEST_DATA "/pictures/pngsuite/basn2c08.png");
  const std::size_t idat = png.find("IDAT");
  ASSERT_NE(idat, std::string::npos);
  std::string badIdatCrc = png;
  badIdatCrc[idat + 4 + ReadU32Be(png, idat - 4)] ^= 1;
  const std::string gif = ReadKinds("quarters.gif");
  std::string icon = ReadKinds("icon.ico");
  std::string badIconBitmap = icon;
  badIconBitmap[ReadU32Le(icon, 18) + 14] = 3;  // 3 bits per pixel
  for (const std::string& bytes :
       {png.substr(0, 33), badIdatCrc, gif.substr(0, 10) + std::string(40, '\xFF'),
        gif.substr(0, 13) + ";", IconHolding(png.substr(0, 33)), IconHolding(badIdatCrc),
        badIconBitmap}) {
    EXPECT_THROW_MSG(WicImage().LoadFromBytes(bytes), Error, "Invalid image") << bytes.size();
  }
  // Sound content inside an icon loads, and the stored bytes are the file's.
  const std::string pngIcon = IconHolding(png);
  WicImage image;
  image.LoadFromBytes(pngIcon);
  EXPECT_EQ(image.Width(), 16);
  EXPECT_EQ(Saved(image), pngIcon);
}

TEST(WicImage, RefusesWhatItCannotDecode) {
  const std::string tiff = ReadKinds("quarters.tif");
  const std::string png =
      texttoxml::testing::ReadFile(TEXTTOXML_TEST_DATA "/pictures/pngsuite/basn2c08.png");
  std::string badCrc = png;
  badCrc[29] ^= 1;
  std::string badBitmap = ReadSuite("g/rgb24.bmp");
  badBitmap[26] = 2;  // two planes
  std::string icon = ReadKinds("icon.ico");
  std::string iconOutside = icon;
  iconOutside[18] = '\x7F';  // the first image's offset beyond the file
  for (const std::string& bytes :
       {std::string(), std::string("plain text"), tiff.substr(0, 40), tiff.substr(0, 8),
        png.substr(0, 20), badCrc, ReadKinds("colour.jpg").substr(0, 300),
        std::string("GIF89a\0\0\0\0\0\0\0", 13), badBitmap, iconOutside,
        ReadSuite("b/badrle.bmp").substr(0, 10)}) {
    EXPECT_THROW_MSG(WicImage().LoadFromBytes(bytes), Error, "Invalid image") << bytes.size();
  }
  EXPECT_THROW_MSG(WicImage().LoadFromBytes(ReadSuite("b/reallybig.bmp")), Error,
                   "Image is too large (3000000 x 2000000 pixels). "
                   "The limit is 89478485 pixels at this colour depth.");
  // A TIFF whose header announces more pixels than the limit allows.
  std::string hugeTiff = tiff;
  const std::uint32_t directory = ReadU32Le(tiff, 4);
  const std::size_t entries = ReadU16Le(tiff, directory);
  for (std::size_t i = 0; i < entries; ++i) {
    const std::size_t at = directory + 2 + 12 * i;
    const std::uint16_t tag = ReadU16Le(tiff, at);
    if (tag == 256 || tag == 257) {  // width, length: as 32-bit numbers
      hugeTiff[at + 2] = '\x04';
      hugeTiff[at + 3] = '\x00';
      hugeTiff[at + 8] = '\x00';
      hugeTiff[at + 9] = '\x00';
      hugeTiff[at + 10] = '\x01';
      hugeTiff[at + 11] = '\x00';
    }
  }
  EXPECT_THROW_MSG(WicImage().LoadFromBytes(hugeTiff), Error,
                   "Image is too large (65536 x 65536 pixels). "
                   "The limit is 67108864 pixels at this colour depth.");
}

}  // namespace
}  // namespace texttoxml::pictures
