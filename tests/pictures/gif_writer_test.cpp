#include <gtest/gtest.h>

#include "fake_graphic.h"
#include "gif_test_support.h"
#include "pictures/gif_image.h"
#include "pictures/picture_errors.h"
#include "test_support.h"

namespace texttoxml::pictures {
namespace {

using testing::Bytes;
using testing::Descriptor;
using testing::ImageData;
using testing::Palette;
using testing::Screen;
using testing::SimpleGif;

const std::vector<std::uint8_t> kFourPixels{0, 1, 1, 0};

// What the rich document stores: a copy of the loaded graphic, written.
std::string StoredForm(std::string_view file) {
  GifImage loaded;
  loaded.LoadFromBytes(file);
  GifImage copy;
  copy.Assign(loaded);
  std::string out;
  copy.SaveToStream(out);
  return out;
}

std::string Saved(const GifImage& image) {
  std::string out;
  image.SaveToStream(out);
  return out;
}

// Saves into a string that holds "kept": a save that fails must leave it so.
void SaveOverKept(const GifImage& image) {
  std::string out = "kept";
  try {
    image.SaveToStream(out);
  } catch (const Error&) {
    EXPECT_EQ(out, "kept");
    throw;
  }
}

// A programmatic frame of `pixels` without a local table.
GifFrame Frame(std::vector<std::uint8_t> pixels, std::uint16_t width, std::uint16_t height,
               std::uint8_t packedFields = 0) {
  GifFrame frame;
  frame.imageDescriptor.width = width;
  frame.imageDescriptor.height = height;
  frame.imageDescriptor.packedFields = packedFields;
  frame.data = std::move(pixels);
  return frame;
}

void AddColors(GifColorMap& map, int count) {
  for (int i = 0; i < count; ++i) map.Add({std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)});
}

TEST(GifSave, WritesTheOldestVersionThatHoldsTheImage) {
  // One image, a global table, no extension: 87a, and the copy carries the
  // global table again as its local one.
  const std::string file = SimpleGif(kFourPixels, 2, 2, 1);
  const std::string stored = StoredForm(file);
  const std::string image = ImageData(kFourPixels, 2, 2, 1);
  EXPECT_EQ(stored, "GIF87a" + Screen(2, 2, 0x80) + Palette(2) + Descriptor(0, 0, 2, 2, 0x80) +
                        Palette(2) + image + ";");
  // A graphic control extension makes it 89a, its 6 bytes unchanged.
  const std::string control = "!\xF9" + Bytes({4, 9, 0x34, 0x12, 1, 0});
  const std::string withControl = StoredForm(SimpleGif(kFourPixels, 2, 2, 1, control));
  EXPECT_EQ(withControl.substr(0, 6), "GIF89a");
  EXPECT_NE(withControl.find(control + ","), std::string::npos);
  // A sorted ("optimized") map counts as 89a and sets its flag bits.
  GifImage sorted;
  AddColors(sorted.Header().colorMap, 3);
  sorted.Header().colorMap.SetOptimized(true);
  sorted.Images().push_back(Frame({2}, 1, 1));
  AddColors(sorted.Images()[0].colorMap, 5);
  sorted.Images()[0].colorMap.SetOptimized(true);
  const std::string sortedBytes = Saved(sorted);
  EXPECT_EQ(sortedBytes.substr(0, 6), "GIF89a");
  EXPECT_EQ(static_cast<std::uint8_t>(sortedBytes[10]), 0x80 | 0x10 | 0x08 | 0x01);
  EXPECT_EQ(static_cast<std::uint8_t>(sortedBytes[13 + 12 + 9]), 0x80 | 0x20 | 0x02);
}

TEST(GifSave, RebuildsThePackedFields) {
  // Without a global table: 0x77, whatever the loaded value was.
  GifImage bare;
  bare.Header().logicalScreenDescriptor = {3, 1, 0x15, 2, 0};
  bare.Images().push_back(Frame({0, 0, 0}, 3, 1));
  EXPECT_EQ(Saved(bare), "GIF87a" + Screen(3, 1, 0x77, 2) + Descriptor(0, 0, 3, 1, 0) +
                             ImageData({0, 0, 0}, 3, 1, 0) + ";");
  // Tables are padded with black to a power of two; the image descriptor
  // keeps only the interlace bit and bit 4 of what it held.
  GifImage padded;
  AddColors(padded.Header().colorMap, 5);
  padded.Images().push_back(Frame({1, 2}, 2, 1, 0xFF));
  AddColors(padded.Images()[0].colorMap, 3);
  const std::string bytes = Saved(padded);
  std::string table5;
  for (int i = 0; i < 5; ++i) table5 += Bytes({i, i, i});
  EXPECT_EQ(bytes.substr(6, 7 + 24), Screen(0, 0, 0xA2) + table5 + std::string(9, '\0'));
  EXPECT_EQ(
      bytes.substr(37, 10 + 12),
      Descriptor(0, 0, 2, 1, 0xD1) + Bytes({0, 0, 0, 1, 1, 1, 2, 2, 2}) + std::string(3, '\0'));
}

TEST(GifSave, KeepsLoadedTablesAndPixels) {
  const std::string file = "GIF89a" + Screen(4, 1, 0xA2, 3, 1) + Palette(8) +
                           Descriptor(1, 0, 2, 1, 0x81) + Palette(4) + ImageData({3, 2}, 2, 1, 2) +
                           Descriptor(0, 0, 2, 1, 0) + ImageData({7, 5}, 2, 1, 3) + ";";
  GifImage loaded;
  loaded.LoadFromBytes(file);
  // Written as loaded (not copied), the frame without a table stays so.
  EXPECT_EQ(Saved(loaded), "GIF87a" + Screen(4, 1, 0xA2, 3, 1) + Palette(8) +
                               Descriptor(1, 0, 2, 1, 0x81) + Palette(4) +
                               ImageData({3, 2}, 2, 1, 2) + Descriptor(0, 0, 2, 1, 0) +
                               ImageData({7, 5}, 2, 1, 3) + ";");
  GifImage copy;
  copy.Assign(loaded);
  ASSERT_EQ(copy.Images().size(), 2u);
  EXPECT_EQ(copy.Images()[1].colorMap.Colors(), loaded.Header().colorMap.Colors());
  EXPECT_EQ(copy.Images()[1].data, (std::vector<std::uint8_t>{7, 5}));
  EXPECT_EQ(copy.Images()[0].colorMap.Count(), 4);
}

TEST(GifSave, ChecksIndicesAgainstTheTable) {
  // No table at all: only index 0 can be written.
  GifImage bare;
  bare.Images().push_back(Frame({0, 0}, 2, 1));
  EXPECT_NO_THROW(SaveOverKept(bare));
  bare.Images()[0].data[1] = 1;
  EXPECT_THROW_MSG(SaveOverKept(bare), GifException, "Color not in color table");
  // A local table counts its own entries, not the power of two.
  GifImage local;
  local.Images().push_back(Frame({2}, 1, 1));
  AddColors(local.Images()[0].colorMap, 3);
  EXPECT_NO_THROW(SaveOverKept(local));
  local.Images()[0].data[0] = 3;
  EXPECT_THROW_MSG(SaveOverKept(local), GifException, "Color not in color table");
  // Without a local table, the widest table of the image is the bound.
  GifImage widest;
  AddColors(widest.Header().colorMap, 2);
  widest.Images().push_back(Frame({200}, 1, 1));
  widest.Images().push_back(Frame({0}, 1, 1));
  AddColors(widest.Images()[1].colorMap, 256);
  EXPECT_NO_THROW(SaveOverKept(widest));
  EXPECT_EQ(static_cast<std::uint8_t>(Saved(widest)[13 + 6 + 10]), 8);  // code size
  EXPECT_THROW_MSG(SaveOverKept(GifImage()), GifException, "Cannot save empty GIF");
  GifImage wrongSize;
  wrongSize.Images().push_back(Frame({0, 0, 0}, 2, 2));
  EXPECT_THROW_MSG(SaveOverKept(wrongSize), GifException, "Invalid GIF data");

  // Saving appends; a failure in a later frame, after the first one was
  // written, still leaves only what was there before.
  local.Images()[0].data[0] = 0;
  std::string out = "before";
  local.SaveToStream(out);
  EXPECT_EQ(out, "before" + Saved(local));
  local.Images().push_back(Frame({7}, 1, 1));
  EXPECT_THROW_MSG(SaveOverKept(local), GifException, "Color not in color table");
}

TEST(GifSave, WritesExtensionsInTheirStoredForm) {
  GifImage image;
  image.Images().push_back(Frame({0}, 1, 1));
  GifExtensionList& extensions = image.Images()[0].extensions;
  extensions.push_back(std::make_unique<GifCommentExtension>(GifTextLines{u"abc"}));
  extensions.push_back(std::make_unique<GifCommentExtension>(GifTextLines{}));
  extensions.push_back(
      std::make_unique<GifCommentExtension>(GifTextLines{std::u16string(300, u'x'), u"\u0416"}));
  GifTextExtension::Block block{12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  extensions.push_back(std::make_unique<GifTextExtension>(block, GifTextLines{u"t"}));
  const GifApplicationExtension::Identifier netscape{'N', 'E', 'T', 'S', 'C', 'A',
                                                     'P', 'E', '2', '.', '0'};
  extensions.push_back(std::make_unique<GifAppExtNSLoop>(netscape, 0x0102, 0));
  extensions.push_back(std::make_unique<GifAppExtNSLoop>(netscape, 0, 0x01020304));
  extensions.push_back(std::make_unique<GifUnknownAppExtension>(
      netscape, std::vector<std::string>{"ab", std::string(255, 'z')}));
  const std::string bytes = Saved(image);
  std::string expected = "!\xFE" + Bytes({5}) + "abc\r\n" + Bytes({0});
  expected += "!\xFE" + Bytes({0});
  expected += "!\xFE" + Bytes({255}) + std::string(255, 'x') + Bytes({50}) + std::string(45, 'x') +
              "\r\n\xC6\r\n" + Bytes({0});
  expected += "!\x01" + Bytes({12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 3}) + "t\r\n" +
              Bytes({0});
  expected += "!\xFF\x0BNETSCAPE2.0" + Bytes({3, 1, 2, 1, 0});
  expected += "!\xFF\x0BNETSCAPE2.0" + Bytes({3, 1, 0, 0, 5, 2, 4, 3, 2, 1, 0});
  expected += "!\xFF\x0BNETSCAPE2.0" + Bytes({2}) + "ab" + Bytes({255}) + std::string(255, 'z') +
              Bytes({0});
  EXPECT_EQ(bytes.substr(13, expected.size()), expected);
  EXPECT_EQ(bytes.substr(0, 6), "GIF89a");
  EXPECT_THROW(GifUnknownAppExtension(netscape, {""}), GifException);
  EXPECT_THROW(GifUnknownAppExtension(netscape, {std::string(256, 'a')}), GifException);
}

TEST(GifSave, CopiesThroughTheStoredForm) {
  // Comment lines come back as written; an old 10-byte application block
  // is stored with 11 bytes; a comment after the last image is lost.
  const std::string extensions = "!\xFE" + Bytes({6}) + "abc\rde" + Bytes({0}) +
                                 "!\xFF\x0ANETSCAPE2." + Bytes({2}) + "xy" + Bytes({0});
  const std::string file = "GIF89a" + Screen(2, 2, 0x80) + Palette(2) + extensions +
                           Descriptor(0, 0, 2, 2, 0) + ImageData(kFourPixels, 2, 2, 1) + "!\xFE" +
                           Bytes({4}) + "last" + Bytes({0}) + ";";
  GifImage loaded;
  loaded.LoadFromBytes(file);
  ASSERT_EQ(loaded.Images().size(), 2u);
  GifImage copy;
  copy.Assign(loaded);
  ASSERT_EQ(copy.Images().size(), 2u);
  EXPECT_TRUE(copy.Images()[1].Empty());
  EXPECT_TRUE(copy.Images()[1].extensions.empty());
  const std::string stored = Saved(copy);
  const std::string storedExtensions = "!\xFE" + Bytes({9}) + "abc\r\nde\r\n" + Bytes({0}) +
                                       "!\xFF\x0BNETSCAPE2.\x02" + Bytes({2}) + "xy" + Bytes({0});
  EXPECT_EQ(stored, "GIF89a" + Screen(2, 2, 0x80) + Palette(2) + storedExtensions +
                        Descriptor(0, 0, 2, 2, 0x80) + Palette(2) +
                        ImageData(kFourPixels, 2, 2, 1) + ";");
  // The loaded graphic itself still writes the trailing comment.
  EXPECT_NE(Saved(loaded).find("last"), std::string::npos);
  // Only empty frames: nothing but the header and the trailer.
  GifImage commentOnly;
  commentOnly.LoadFromBytes("GIF89a" + Screen(1, 1, 0) + "!\xFE" + Bytes({1}) + "c" + Bytes({0}) +
                            ";");
  GifImage commentCopy;
  commentCopy.Assign(commentOnly);
  EXPECT_EQ(Saved(commentCopy), "GIF87a" + Screen(1, 1, 0x77) + ";");
}

TEST(GifSave, CopyIsIndependent) {
  GifImage original;
  original.LoadFromBytes(SimpleGif(kFourPixels, 2, 2, 1, "!\xFE" + Bytes({1}) + "c" + Bytes({0})));
  GifImage copy;
  copy.Assign(original);
  copy.Images()[0].data[0] = 1;
  copy.Header().colorMap.Clear();
  EXPECT_EQ(original.Images()[0].data, kFourPixels);
  EXPECT_EQ(original.Header().colorMap.Count(), 2);
  EXPECT_NE(copy.Images()[0].extensions[0].get(), original.Images()[0].extensions[0].get());
  // Assigning a graphic to itself changes nothing that is written.
  const std::string before = Saved(copy);
  copy.Assign(copy);
  EXPECT_EQ(Saved(copy), before);
  const std::unique_ptr<Graphic> fresh = original.CreateNew();
  EXPECT_EQ(fresh->ClassName(), "TGIFImage");
  EXPECT_TRUE(fresh->Empty());
}

TEST(GifSave, TakesOnlyGifSources) {
  GifImage target;
  target.LoadFromBytes(SimpleGif(kFourPixels, 2, 2, 1));
  EXPECT_THROW_MSG(target.Assign(texttoxml::testing::FakeGraphic("TBitmap", "")), ConvertError,
                   "Cannot assign a TBitmap to a TGIFImage");
  EXPECT_EQ(target.Images().size(), 1u);
}

TEST(GifSave, WritesInterlacedRowsInPassOrder) {
  // Three rows of an interlaced frame go out as rows 0, 2, 1.
  GifImage image;
  AddColors(image.Header().colorMap, 4);
  image.Images().push_back(Frame({1, 1, 2, 2, 3, 3}, 2, 3, 0x40));
  const std::string bytes = Saved(image);
  const std::size_t data = 13 + 12 + 10;
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[data - 1]), 0x40);
  EXPECT_EQ(bytes.substr(data), ImageData({1, 1, 3, 3, 2, 2}, 2, 3, 2) + ";");
}

}  // namespace
}  // namespace texttoxml::pictures
