// What this system writes, read back by an independent decoder (giflib).
#include <gtest/gtest.h>

#include <random>

#include "gif_test_support.h"
#include "pictures/file_formats.h"
#include "pictures/gif_image.h"
#include "pictures/picture.h"
#include "test_support.h"

namespace texttoxml::pictures {
namespace {

using testing::DecodeWithGiflib;
using testing::FrameColors;
using testing::GiflibImage;

std::string SampleFile(std::string_view name) {
  return texttoxml::testing::ReadFile(std::string(TEXTTOXML_TEST_DATA) + "/pictures/gif/" +
                                      std::string(name));
}

std::string Saved(const GifImage& image) {
  std::string out;
  image.SaveToStream(out);
  return out;
}

// One extension as giflib delivers it: its label, then its sub-blocks.
struct ExtensionRecord {
  int label = 0;
  std::vector<std::string> blocks;
  bool operator==(const ExtensionRecord&) const = default;
};

std::vector<ExtensionRecord> Records(const std::vector<std::pair<int, std::string>>& blocks) {
  std::vector<ExtensionRecord> records;
  for (const auto& [function, data] : blocks) {
    if (function != CONTINUE_EXT_FUNC_CODE || records.empty()) records.push_back({function, {}});
    records.back().blocks.push_back(data);
  }
  return records;
}

// Comments are stored with CR LF after every line.
std::string StoredCommentText(const ExtensionRecord& record) {
  std::string text;
  for (const std::string& block : record.blocks) text += block;
  std::string stored;
  for (char c : text) stored += c == '\n' ? std::string("\r\n") : std::string(1, c);
  if (!stored.empty() && stored.back() != '\n') stored += "\r\n";
  return stored;
}

void ExpectSameExtensions(const std::vector<ExtensionRecord>& original,
                          const std::vector<ExtensionRecord>& stored) {
  ASSERT_EQ(original.size(), stored.size());
  for (std::size_t i = 0; i < original.size(); ++i) {
    if (original[i].label == COMMENT_EXT_FUNC_CODE) {
      ASSERT_EQ(stored[i].label, COMMENT_EXT_FUNC_CODE);
      std::string text;
      for (const std::string& block : stored[i].blocks) text += block;
      EXPECT_EQ(text, StoredCommentText(original[i]));
    } else {
      EXPECT_EQ(original[i], stored[i]);
    }
  }
}

class GifSampleFiles : public ::testing::TestWithParam<const char*> {};

TEST_P(GifSampleFiles, RoundTripWithTheirPixels) {
  const std::string file = SampleFile(GetParam());
  ASSERT_FALSE(file.empty());
  const GiflibImage original = DecodeWithGiflib(file);
  ASSERT_TRUE(original.ok) << original.error;

  // Our decoder agrees with giflib on the file as ImageMagick wrote it.
  GifImage loaded;
  loaded.LoadFromBytes(file);
  ASSERT_EQ(loaded.Images().size(), original.frames.size());
  for (std::size_t i = 0; i < original.frames.size(); ++i) {
    EXPECT_EQ(loaded.Images()[i].data, original.frames[i].indices) << "frame " << i;
    EXPECT_EQ(FrameColors(loaded, loaded.Images()[i]), original.frames[i].colors) << "frame " << i;
  }

  // The stored copy decodes to the same pixels, frames and extensions.
  GifImage copy;
  copy.Assign(loaded);
  const GiflibImage stored = DecodeWithGiflib(Saved(copy));
  ASSERT_TRUE(stored.ok) << stored.error;
  EXPECT_EQ(stored.width, original.width);
  EXPECT_EQ(stored.height, original.height);
  ASSERT_EQ(stored.frames.size(), original.frames.size());
  for (std::size_t i = 0; i < original.frames.size(); ++i) {
    const testing::GiflibFrame& before = original.frames[i];
    const testing::GiflibFrame& after = stored.frames[i];
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.width, before.width);
    EXPECT_EQ(after.height, before.height);
    EXPECT_EQ(after.interlaced, before.interlaced);
    EXPECT_TRUE(after.localTable);
    EXPECT_EQ(after.indices, before.indices) << "frame " << i;
    EXPECT_EQ(after.colors, before.colors) << "frame " << i;
    ExpectSameExtensions(Records(before.extensions), Records(after.extensions));
  }
  // Written as loaded, the global table stays global.
  const GiflibImage direct = DecodeWithGiflib(Saved(loaded));
  ASSERT_TRUE(direct.ok) << direct.error;
  for (std::size_t i = 0; i < original.frames.size(); ++i) {
    EXPECT_EQ(direct.frames[i].localTable, original.frames[i].localTable);
    EXPECT_EQ(direct.frames[i].colors, original.frames[i].colors);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, GifSampleFiles,
                         ::testing::Values("interlaced.gif", "animated.gif", "comment.gif",
                                           "twocolor.gif", "noise.gif"));

TEST(GifGiflib, SampleFilesHoldWhatTheTestsNeed) {
  // Guards the round trips above against samples that lost their features.
  const GiflibImage animated = DecodeWithGiflib(SampleFile("animated.gif"));
  ASSERT_EQ(animated.frames.size(), 3u);
  EXPECT_FALSE(animated.frames[0].localTable);
  EXPECT_TRUE(animated.frames[1].localTable);
  EXPECT_EQ(Records(animated.frames[0].extensions).at(1).blocks.at(0), "NETSCAPE2.0");
  EXPECT_TRUE(DecodeWithGiflib(SampleFile("interlaced.gif")).frames.at(0).interlaced);
  EXPECT_EQ(
      Records(DecodeWithGiflib(SampleFile("comment.gif")).frames.at(0).extensions).at(1).label,
      COMMENT_EXT_FUNC_CODE);
}

TEST(GifGiflib, GifFilesLoadThroughThePictureContainer) {
  const std::vector<FileFormat>& rows = FileFormats();
  ASSERT_GE(rows.size(), 10u);
  EXPECT_EQ(rows[8].extension, "png");
  EXPECT_EQ(rows[9].extension, "gif");
  EXPECT_EQ(rows[9].description, "GIF Image");
  Picture picture;
  picture.LoadFromFile(std::string(TEXTTOXML_TEST_DATA) + "/pictures/gif/twocolor.gif");
  ASSERT_NE(picture.GetGraphic(), nullptr);
  EXPECT_EQ(picture.GetGraphic()->ClassName(), "TGIFImage");
  // The copy the rich document receives writes a GIF that giflib reads.
  const std::unique_ptr<Graphic> copy = CopyGraphic(*picture.GetGraphic());
  std::string stored;
  copy->SaveToStream(stored);
  const GiflibImage decoded = DecodeWithGiflib(stored);
  ASSERT_TRUE(decoded.ok);
  EXPECT_EQ(decoded.frames.at(0).indices,
            DecodeWithGiflib(SampleFile("twocolor.gif")).frames.at(0).indices);
}

// A random image of several frames, some with local tables, some
// interlaced, made in code.
std::unique_ptr<GifImage> RandomImage(std::mt19937& random, int colorBits) {
  auto owner = std::make_unique<GifImage>();
  GifImage& image = *owner;
  const auto width = static_cast<std::uint16_t>(1 + random() % 120);
  const auto height = static_cast<std::uint16_t>(1 + random() % 90);
  image.Header().logicalScreenDescriptor.screenWidth = width;
  image.Header().logicalScreenDescriptor.screenHeight = height;
  const int globalCount = 1 << colorBits;
  for (int i = 0; i < globalCount; ++i) {
    image.Header().colorMap.Add(
        {std::uint8_t(random()), std::uint8_t(random()), std::uint8_t(random())});
  }
  const int frames = 1 + static_cast<int>(random() % 3);
  for (int f = 0; f < frames; ++f) {
    GifFrame frame;
    frame.imageDescriptor.width = static_cast<std::uint16_t>(1 + random() % width);
    frame.imageDescriptor.height = static_cast<std::uint16_t>(1 + random() % height);
    frame.imageDescriptor.packedFields = random() % 2 ? 0x40 : 0;
    int count = globalCount;
    if (random() % 2) {
      count = 1 + static_cast<int>(random() % 256);
      for (int i = 0; i < count; ++i)
        frame.colorMap.Add({std::uint8_t(i), 0, std::uint8_t(255 - i)});
    }
    // Runs and noise, so that the strings are long and short.
    const bool noisy = random() % 2;
    std::uint8_t value = 0;
    for (int i = 0; i < frame.imageDescriptor.width * frame.imageDescriptor.height; ++i) {
      if (noisy || random() % 9 == 0) value = static_cast<std::uint8_t>(random() % count);
      frame.data.push_back(value);
    }
    image.Images().push_back(std::move(frame));
  }
  return owner;
}

TEST(GifGiflib, DecodesEveryImageWeWrite) {
  std::mt19937 random(2024);
  for (int round = 0; round < 80; ++round) {
    const std::unique_ptr<GifImage> owner = RandomImage(random, 1 + round % 8);
    const GifImage& image = *owner;
    const GiflibImage decoded = DecodeWithGiflib(Saved(image));
    ASSERT_TRUE(decoded.ok) << "round " << round << " error " << decoded.error;
    ASSERT_EQ(decoded.frames.size(), image.Images().size());
    for (std::size_t f = 0; f < image.Images().size(); ++f) {
      const GifFrame& frame = image.Images()[f];
      EXPECT_EQ(decoded.frames[f].indices, frame.data) << "round " << round << " frame " << f;
      EXPECT_EQ(decoded.frames[f].colors, FrameColors(image, frame)) << "round " << round;
      EXPECT_EQ(decoded.frames[f].interlaced, frame.imageDescriptor.Interlaced());
    }
  }
}

TEST(GifGiflib, DecodesLongDataWithManyTableResets) {
  // 400 x 300 of noise in 256 colours: hundreds of fresh tables.
  std::mt19937 random(99);
  GifImage image;
  for (int i = 0; i < 256; ++i) image.Header().colorMap.Add({std::uint8_t(i), std::uint8_t(i), 0});
  GifFrame frame;
  frame.imageDescriptor.width = 400;
  frame.imageDescriptor.height = 300;
  for (int i = 0; i < 400 * 300; ++i) frame.data.push_back(static_cast<std::uint8_t>(random()));
  image.Images().push_back(std::move(frame));
  const GiflibImage decoded = DecodeWithGiflib(Saved(image));
  ASSERT_TRUE(decoded.ok) << decoded.error;
  ASSERT_EQ(decoded.frames.size(), 1u);
  EXPECT_TRUE(decoded.frames[0].indices == image.Images()[0].data);
}

}  // namespace
}  // namespace texttoxml::pictures
