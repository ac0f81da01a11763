// Reading PNG files: failures and their messages, kept chunks, pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "pictures/picture_errors.h"
#include "pictures/png_image.h"
#include "png_test_support.h"
#include "test_support.h"

namespace texttoxml::pictures {
namespace {

using testing::ChunkNames;
using testing::DecodeWithLibpng;
using testing::Deflate;
using testing::IhdrData;
using testing::MakePng;
using testing::PngFrame;
using testing::SplitPng;
using testing::U32Be;

const std::string kGrey8x2 = IhdrData(2, 2, 8, 0);
// Two rows of two grey pixels, unfiltered.
const std::string kGreyRows = Deflate(std::string("\0\x10\x20\0\x30\x40", 6));

std::string Saved(const PngImage& png) {
  std::string out;
  png.SaveToStream(out);
  return out;
}

TEST(PngReader, FailsWithTheMessageOfEachFault) {
  const std::string idat = PngFrame("IDAT", kGreyRows);
  std::string badCrc = PngFrame("tEXt", "a\0b");
  badCrc.back() ^= 1;
  const std::string unexpectedEnd =
      "This \"Portable Network Graphics\" image is invalid because the decoder found an unexpected "
      "end of the file.";
  const std::string invalidPalette =
      "The \"Portable Network Graphics\" image contains an invalid palette.";

  EXPECT_THROW_MSG(PngImage().LoadFromBytes("GIF89a"), PngInvalidFileHeaderError,
                   "The file being read is not a valid \"Portable Network Graphics\" image because "
                   "it contains an "
                   "invalid header. This file may be corrupted, try obtaining it again");
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(testing::kPngSignature), PngUnexpectedEndError,
                   unexpectedEnd);
  const std::string withoutEnd = MakePng(kGrey8x2, {idat});
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(withoutEnd.substr(0, withoutEnd.size() - 12)),
                   PngUnexpectedEndError, unexpectedEnd);
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(withoutEnd.substr(0, withoutEnd.size() - 14)),
                   PngUnexpectedEndError, unexpectedEnd);
  EXPECT_THROW_MSG(
      PngImage().LoadFromBytes(testing::kPngSignature + PngFrame("gAMA", U32Be(45455))),
      PngIhdrNotFirstError,
      "This \"Portable Network Graphics\" image is not supported or it might be invalid.\r\n"
      "(IHDR chunk is not the first)");
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(MakePng(kGrey8x2, {badCrc, idat})), PngInvalidCrcError,
                   "This \"Portable Network Graphics\" image is not valid because it contains "
                   "invalid pieces of data "
                   "(crc error)");
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(MakePng(kGrey8x2.substr(0, 12), {idat})),
                   PngInvalidIhdrError,
                   "The \"Portable Network Graphics\" image could not be loaded because one of its "
                   "main piece of data "
                   "(ihdr) might be corrupted");
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(MakePng(IhdrData(65536, 1, 8, 0), {idat})),
                   PngSizeExceedsError,
                   "This \"Portable Network Graphics\" image is not supported because either its "
                   "width or height "
                   "exceeds the maximum size of 65535 pixels.");
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(MakePng(IhdrData(2, 2, 8, 0, 0, 1), {idat})),
                   PngUnknownCompressionError,
                   "This \"Portable Network Graphics\" image is encoded with an unknown "
                   "compression scheme which could "
                   "not be decoded.");
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(MakePng(IhdrData(2, 2, 8, 0, 2), {idat})),
                   PngUnknownInterlaceError,
                   "This \"Portable Network Graphics\" image uses an unknown interlace scheme "
                   "which could not be "
                   "decoded.");
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(MakePng(kGrey8x2, {PngFrame("PLTE", "abcd"), idat})),
                   PngInvalidPaletteError, invalidPalette);
  EXPECT_THROW_MSG(
      PngImage().LoadFromBytes(MakePng(kGrey8x2, {PngFrame("PLTE", std::string(771, 'a')), idat})),
      PngInvalidPaletteError, invalidPalette);
  EXPECT_THROW_MSG(
      PngImage().LoadFromBytes(MakePng(kGrey8x2, {PngFrame("tRNS", std::string(257, 'a')), idat})),
      PngInvalidPaletteError, invalidPalette);
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(MakePng(kGrey8x2, {PngFrame("ABCD", ""), idat})),
                   PngUnknownCriticalChunkError,
                   "This \"Portable Network Graphics\" image contains an unknown critical part "
                   "which could not be "
                   "decoded.");
  EXPECT_THROW_MSG(
      PngImage().LoadFromBytes(
          MakePng(kGrey8x2, {PngFrame("IDAT", kGreyRows.substr(0, 5)), PngFrame("tEXt", "a\0b")})),
      PngMissingMultipleIdatError,
      "This \"Portable Network Graphics\" image is invalid because it has missing image parts.");
  EXPECT_THROW_MSG(
      PngImage().LoadFromBytes(MakePng(kGrey8x2, {PngFrame("IDAT", "\x78\x9C\xFF\xFF\xFF\xFF")})),
      PngZlibError,
      "Could not decompress the image because it contains invalid compressed data.\r\n "
      "Description: "
      "data error (-3)");
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(MakePng(kGrey8x2, {})), PngNoImageDataError,
                   "This \"Portable Network Graphics\" image contains no data.");
}

TEST(PngReader, RejectsWhatCannotBeHeldSafely) {
  const std::string idat = PngFrame("IDAT", kGreyRows);
  // Colour type and bit depth that do not go together.
  for (const auto& pair :
       std::vector<std::pair<int, int>>{{8, 1}, {3, 0}, {4, 2}, {16, 3}, {1, 6}}) {
    // Plain names: a structured binding cannot be captured by clang 14.
    const int depth = pair.first;
    const int type = pair.second;
    EXPECT_THROW_MSG(PngImage().LoadFromBytes(MakePng(IhdrData(2, 2, depth, type), {idat})),
                     PngInvalidFormatError,
                     "This \"Portable Network Graphics\" image has an invalid combination of color "
                     "type " +
                         std::to_string(type) + " and bit depth " + std::to_string(depth) + ".");
  }
  // The largest header the format allows would need gigabytes.
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(MakePng(IhdrData(65535, 65535, 8, 2), {idat})),
                   InvalidGraphicError,
                   "Image is too large (65535 x 65535 pixels). "
                   "The limit is 89478485 pixels at this colour depth.");
  // The limit is one of bytes: 16-bit RGB with alpha holds 7 bytes a pixel.
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(MakePng(IhdrData(10000, 10000, 16, 6), {idat})),
                   InvalidGraphicError,
                   "Image is too large (10000 x 10000 pixels). "
                   "The limit is 38347922 pixels at this colour depth.");
  // No pixels, and a second header that would need a second store.
  const std::string invalidHeader =
      "The \"Portable Network Graphics\" image could not be loaded because one of its main piece "
      "of data (ihdr) might be corrupted";
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(MakePng(IhdrData(0, 2, 8, 0), {idat})),
                   PngInvalidIhdrError, invalidHeader);
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(MakePng(kGrey8x2, {PngFrame("IHDR", kGrey8x2), idat})),
                   PngInvalidIhdrError, invalidHeader);
  EXPECT_THROW_MSG(PngImage().LoadFromBytes(MakePng(
                       kGrey8x2, {PngFrame("IDAT", Deflate(std::string("\x07\0\0\0\0\0", 6)))})),
                   PngUnknownFilterError,
                   "This \"Portable Network Graphics\" image uses an unknown row filter type (7).");
}

// Inflated text is decoded content as pixels are: the two share the one
// limit. A 16384 x 16383 grey image leaves 16 KiB of it for text.
TEST(PngReader, CompressedTextSharesTheDecodedPixelLimit) {
  const std::string header = IhdrData(16384, 16383, 8, 0);
  auto ztxt = [](char letter, std::size_t size) {
    return PngFrame("zTXt", std::string("Comment\0\0", 9) + Deflate(std::string(size, letter)));
  };
  const std::string idat = PngFrame("IDAT", Deflate(std::string(16385, '\0')));
  PngImage png;
  png.LoadFromBytes(MakePng(header, {ztxt('a', 10000), ztxt('b', 6384), ztxt('c', 1), idat}));
  std::vector<std::size_t> sizes;
  for (const auto& chunk : png.Chunks()) {
    if (const auto* text = dynamic_cast<const ChunkzTXt*>(chunk.get()))
      sizes.push_back(text->Text().size());
  }
  // The third text would pass the limit, so it is dropped as an undecodable one is.
  EXPECT_EQ(sizes, (std::vector<std::size_t>{10000, 6384, 0}));
  png.LoadFromBytes(MakePng(header, {ztxt('d', 16385), idat}));
  EXPECT_EQ(png.FindChunk<ChunkzTXt>()->Text(), "");
  // A small image leaves nearly all of it.
  png.LoadFromBytes(MakePng(kGrey8x2, {ztxt('e', 1 << 20), PngFrame("IDAT", kGreyRows)}));
  EXPECT_EQ(png.FindChunk<ChunkzTXt>()->Text(), std::string(1 << 20, 'e'));
}

// A copy shares the inflated text instead of holding it twice, and a text
// written back is deflated into the same text.
TEST(PngReader, ACopySharesTheInflatedText) {
  const std::string text(3 << 20, 'x');
  PngImage png;
  png.LoadFromBytes(
      MakePng(kGrey8x2, {PngFrame("zTXt", std::string("Comment\0\0", 9) + Deflate(text)),
                         PngFrame("IDAT", kGreyRows)}));
  PngImage copy;
  copy.Assign(png);
  EXPECT_EQ(&copy.FindChunk<ChunkzTXt>()->Text(), &png.FindChunk<ChunkzTXt>()->Text());
  for (const auto& frame : SplitPng(Saved(copy))) {
    if (frame.name == "zTXt") {
      EXPECT_EQ(testing::Inflate(frame.data.substr(9)), text);
    }
  }
}

TEST(PngReader, AFailedLoadKeepsThePreviousImage) {
  PngImage png;
  png.LoadFromBytes(MakePng(kGrey8x2, {PngFrame("IDAT", kGreyRows)}));
  const std::string before = Saved(png);
  EXPECT_THROW(png.LoadFromBytes(MakePng(kGrey8x2, {})), PngNoImageDataError);
  EXPECT_EQ(Saved(png), before);
}

TEST(PngReader, KeepsAncillaryChunksInOrderButDropsChromaticities) {
  const std::string ztxt = std::string("Comment\0\0", 9) + Deflate("packed words");
  const std::string png =
      MakePng(kGrey8x2, {PngFrame("cHRM", std::string(32, '\1')), PngFrame("gAMA", U32Be(100000)),
                         PngFrame("sRGB", "\0"), PngFrame("pHYs", U32Be(2835) + U32Be(1417) + "\1"),
                         PngFrame("tIME", std::string("\x07\xE8\x02\x1D\x17\x3B\x3C", 7)),
                         PngFrame("tEXt", std::string("Title\0A\0B", 9)), PngFrame("zTXt", ztxt),
                         PngFrame("IDAT", kGreyRows.substr(0, 4)),
                         PngFrame("IDAT", kGreyRows.substr(4)), PngFrame("prVt", "private")});
  PngImage image;
  image.LoadFromBytes(png + "trailing bytes are not read");
  std::vector<std::string> loaded;
  for (const auto& chunk : image.Chunks()) loaded.push_back(chunk->Name());
  const std::vector<std::string> expected = {"IHDR", "gAMA", "sRGB", "pHYs", "tIME",
                                             "tEXt", "zTXt", "IDAT", "prVt", "IEND"};
  EXPECT_EQ(loaded, expected);

  const auto* phys = image.FindChunk<ChunkpHYs>();
  ASSERT_NE(phys, nullptr);
  EXPECT_EQ(phys->PPUnitX(), 2835u);
  EXPECT_EQ(phys->PPUnitY(), 1417u);
  EXPECT_EQ(phys->UnitType(), 1);
  EXPECT_EQ(image.FindChunk<ChunktIME>()->Value().year, 2024);
  EXPECT_EQ(image.FindChunk<ChunktIME>()->Value().second, 60);
  EXPECT_EQ(image.FindChunk<ChunktEXt>()->Keyword(), "Title");
  EXPECT_EQ(image.FindChunk<ChunktEXt>()->Text(), std::string("A\0B", 3));
  EXPECT_EQ(image.FindChunk<ChunkzTXt>()->Keyword(), "Comment");
  EXPECT_EQ(image.FindChunk<ChunkzTXt>()->Text(), "packed words");
  EXPECT_EQ(image.FindChunk<ChunkgAMA>()->Gamma(), 100000u);

  const auto written = SplitPng(Saved(image));
  EXPECT_EQ(ChunkNames(written), expected);
  const auto original = SplitPng(png);
  for (const auto& frame : written) {
    EXPECT_TRUE(frame.crcOk);
    if (frame.name == "zTXt") {
      EXPECT_EQ(frame.data.substr(0, 9), ztxt.substr(0, 9));
      EXPECT_EQ(testing::Inflate(frame.data.substr(9)), "packed words");
    } else if (frame.name != "IDAT") {
      const auto same = std::find_if(original.begin(), original.end(),
                                     [&](const auto& o) { return o.name == frame.name; });
      EXPECT_EQ(frame.data, same->data) << frame.name;
    }
  }
}

TEST(PngReader, OddTextChunksLoadWithoutFailing) {
  const std::string png =
      MakePng(kGrey8x2, {PngFrame("zTXt", std::string("Key\0\0not zlib", 13)),
                         PngFrame("zTXt", std::string("Key\0\x05xx", 7)), PngFrame("tEXt", "ab"),
                         PngFrame("pHYs", "short"), PngFrame("IDAT", kGreyRows)});
  PngImage image;
  image.LoadFromBytes(png);
  EXPECT_EQ(image.FindChunk<ChunkzTXt>()->Keyword(), "Key");
  EXPECT_EQ(image.FindChunk<ChunkzTXt>()->Text(), "");
  EXPECT_EQ(image.FindChunk<ChunktEXt>()->Keyword(),
            "Key");  // the first text kind found is the zTXt
  EXPECT_EQ(image.FindChunk<ChunkpHYs>()->PPUnitX(), 0u);
  const auto written = SplitPng(Saved(image));
  ASSERT_EQ(written.size(), 7u);
  EXPECT_EQ(written[1].data.substr(0, 5), std::string("Key\0\0", 5));
  EXPECT_EQ(testing::Inflate(written[1].data.substr(5)),
            " ");  // an empty text is written as one space
  EXPECT_EQ(written[3].data, std::string(1, '\0'));
  EXPECT_EQ(written[4].data, std::string(9, '\0'));
}

// Colour values pass unchanged whatever gAMA says, and the chunk is kept.
TEST(PngReader, GammaNeverChangesPixelValues) {
  std::string rows;
  for (int y = 0; y < 256; ++y) {
    rows += '\0';
    for (int c = 0; c < 3; ++c) rows += static_cast<char>(y);
  }
  for (std::uint32_t gamma : {100000u, 45455u, 22000u}) {
    SCOPED_TRACE(gamma);
    PngImage image;
    image.LoadFromBytes(MakePng(IhdrData(1, 256, 8, 2),
                                {PngFrame("gAMA", U32Be(gamma)), PngFrame("IDAT", Deflate(rows))}));
    for (std::uint32_t y = 0; y < 256; ++y) EXPECT_EQ(image.Header()->ImageRow(y)[1], y);
    const std::string written = Saved(image);
    EXPECT_EQ(SplitPng(written)[1].data, U32Be(gamma));
    const auto decoded = DecodeWithLibpng(written);
    ASSERT_TRUE(decoded.ok) << decoded.error;
    for (std::size_t y = 0; y < 256; ++y) EXPECT_EQ(decoded.pixels[y * 3 + 2], y);
  }
}

TEST(PngReader, SuggestedPaletteOfATrueColourImageIsWrittenBackUnchanged) {
  const std::string palette = "\x01\x02\x03\x04\x05\x06\xFF\xFE\xFD";
  PngImage image;
  image.LoadFromBytes(
      MakePng(IhdrData(1, 1, 8, 2),
              {PngFrame("PLTE", palette), PngFrame("IDAT", Deflate(std::string("\0abc", 4)))}));
  EXPECT_EQ(image.FindChunk<ChunkPLTE>()->Count(), 3);
  const auto written = SplitPng(Saved(image));
  ASSERT_EQ(ChunkNames(written), (std::vector<std::string>{"IHDR", "PLTE", "IDAT", "IEND"}));
  EXPECT_EQ(written[1].data, palette);
}

TEST(PngReader, RowsTheDataDoesNotReachStayZero) {
  PngImage image;
  // Three rows announced, one and a half given.
  image.LoadFromBytes(MakePng(IhdrData(2, 3, 8, 0),
                              {PngFrame("IDAT", Deflate(std::string("\0\x11\x22\0\x33", 5)))}));
  EXPECT_EQ(image.Header()->ImageRow(0)[1], 0x22);
  EXPECT_EQ(image.Header()->ImageRow(1)[0], 0);
  EXPECT_EQ(image.Header()->ImageRow(2)[1], 0);
}

TEST(PngReader, TwoBitImagesAreHeldInFourBitCells) {
  // Grey levels 0..3 and one transparent level.
  const std::string rows = Deflate(std::string("\0\x1B", 2));
  PngImage grey;
  grey.LoadFromBytes(MakePng(IhdrData(4, 1, 2, 0),
                             {PngFrame("tRNS", std::string("\0\x02", 2)), PngFrame("IDAT", rows)}));
  EXPECT_EQ(grey.Header()->ImageRow(0)[0], 0x05);
  EXPECT_EQ(grey.Header()->ImageRow(0)[1], 0xAF);
  auto written = SplitPng(Saved(grey));
  EXPECT_EQ(written[0].data[8], 4);
  EXPECT_EQ(written[1].data, std::string("\0\x0A", 2));

  PngImage indexed;
  indexed.LoadFromBytes(MakePng(
      IhdrData(4, 1, 2, 3), {PngFrame("PLTE", std::string(12, '\x7F')), PngFrame("IDAT", rows)}));
  EXPECT_EQ(indexed.Header()->ImageRow(0)[0], 0x01);
  EXPECT_EQ(indexed.Header()->ImageRow(0)[1], 0x23);
  written = SplitPng(Saved(indexed));
  EXPECT_EQ(written[0].data[8], 4);
  EXPECT_EQ(written[1].data, std::string(12, '\x7F'));
}

TEST(PngReader, SixteenBitSamplesKeepTheirLowBytesApartAndAreWrittenWithoutThem) {
  PngImage image;
  image.LoadFromBytes(
      MakePng(IhdrData(1, 1, 16, 6),
              {PngFrame("IDAT", Deflate(std::string("\0\x12\x34\x56\x78\x9A\xBC\xDE\xF0", 9)))}));
  const ChunkIHDR& header = *image.Header();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(header.ImageRow(0)), 3), "\x12\x56\x9A");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(header.ExtraRow(0)), 3), "\x34\x78\xBC");
  EXPECT_EQ(header.AlphaRow(0)[0], 0xDE);
  const auto decoded = DecodeWithLibpng(Saved(image));
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.bitDepth, 16);
  EXPECT_EQ(decoded.pixels, (std::vector<std::uint8_t>{0x12, 0, 0x56, 0, 0x9A, 0, 0xDE, 0}));
}

TEST(PngChunk, AssigningAcrossKindsFails) {
  ChunkIHDR header;
  ChunkPLTE palette;
  Chunk plain("abCD");
  EXPECT_THROW_MSG(header.Assign(palette), PngIncompatibleChunksError,
                   "The chunks must be compatible to be assigned.");
  EXPECT_THROW_MSG(palette.Assign(plain), PngIncompatibleChunksError,
                   "The chunks must be compatible to be assigned.");
  plain.Assign(palette);
  EXPECT_EQ(plain.Name(), "PLTE");
}

TEST(PngChunk, HeaderCopiesDoNotShareWrites) {
  ChunkIHDR original;
  original.Prepare({3, 2, 16, kPngGreyAlpha, 0, 0, 0});
  original.ImageRow(1)[2] = 7;
  ChunkIHDR copy;
  copy.Assign(original);
  EXPECT_EQ(copy.ImageRow(1)[2], 7);  // a writable row: the copy takes its own stores
  copy.ImageRow(1)[2] = 9;
  copy.AlphaRow(0)[0] = 5;
  copy.ExtraRow(1)[0] = 4;
  const ChunkIHDR& source = original;
  EXPECT_EQ(source.ImageRow(1)[2], 7);
  EXPECT_EQ(source.AlphaRow(0)[0], 0);
  EXPECT_EQ(source.ExtraRow(1)[0], 0);
  EXPECT_EQ(copy.IhdrData().bitDepth, 16);
  EXPECT_EQ(copy.StoreRowBytes(), 3u);
}

}  // namespace
}  // namespace texttoxml::pictures
