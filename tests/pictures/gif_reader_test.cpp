#include <gtest/gtest.h>

#include <random>

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

// Loads `bytes`, collecting the warnings.
struct Loaded {
  GifImage image;
  std::vector<std::string> warnings;
};

std::unique_ptr<Loaded> Load(std::string_view bytes) {
  auto loaded = std::make_unique<Loaded>();
  loaded->image.SetWarningHandler(
      [warnings = &loaded->warnings](std::string_view w) { warnings->emplace_back(w); });
  loaded->image.LoadFromBytes(bytes);
  return loaded;
}

bool Warned(const Loaded& loaded, std::string_view warning) {
  return std::find(loaded.warnings.begin(), loaded.warnings.end(), warning) !=
         loaded.warnings.end();
}

const std::vector<std::uint8_t> kFourPixels{0, 1, 1, 0};
const std::string kImage = Descriptor(0, 0, 2, 2, 0) + ImageData(kFourPixels, 2, 2, 1);

TEST(GifLoad, ReadsScreenTablesAndPixels) {
  const std::string file = "GIF89a" + Screen(5, 3, 0x91, 7, 49) + Palette(4) +
                           Descriptor(3, 1, 2, 2, 0x80) + Palette(2) +
                           ImageData(kFourPixels, 2, 2, 1) + ";";
  auto loaded = Load(file);
  const GifImage& image = loaded->image;
  EXPECT_EQ(image.Width(), 5);
  EXPECT_EQ(image.Height(), 3);
  EXPECT_FALSE(image.Empty());
  const GifLogicalScreenDescriptor& screen = image.Header().logicalScreenDescriptor;
  EXPECT_EQ(screen.packedFields, 0x91);
  EXPECT_EQ(screen.backgroundColorIndex, 7);
  EXPECT_EQ(screen.aspectRatio, 49);
  ASSERT_EQ(image.Header().colorMap.Count(), 4);
  EXPECT_EQ(image.Header().colorMap.Colors()[3], (GifColor{3, 252, 9}));
  EXPECT_FALSE(image.Header().colorMap.Optimized());
  ASSERT_EQ(image.Images().size(), 1u);
  const GifFrame& frame = image.Images()[0];
  EXPECT_EQ(frame.imageDescriptor.left, 3);
  EXPECT_EQ(frame.imageDescriptor.top, 1);
  EXPECT_EQ(frame.colorMap.Count(), 2);
  EXPECT_EQ(frame.data, kFourPixels);
  EXPECT_EQ(&frame.ActiveColorMap(image.Header().colorMap), &frame.colorMap);
  EXPECT_TRUE(loaded->warnings.empty());
  EXPECT_EQ(image.Version(), GifVersion::k87a);
}

TEST(GifLoad, FindsTheSignature) {
  const std::string gif = SimpleGif(kFourPixels, 2, 2, 1);
  EXPECT_EQ(Load("gif89a" + gif.substr(6))->image.Images().size(), 1u);
  EXPECT_EQ(Load("GIF" + gif.substr(3))->image.Images().size(), 1u);
  // Version letters are not checked.
  EXPECT_EQ(Load("GIFxyz" + gif.substr(6))->image.Images().size(), 1u);
  // Four bytes of something else before the signature.
  EXPECT_EQ(Load("\x01\x02\x03\x04" + gif)->image.Images()[0].data, kFourPixels);
  EXPECT_THROW_MSG(Load("ab" + gif), Error, "Invalid GIF signature");
  EXPECT_THROW_MSG(Load("PNG89a" + gif.substr(6)), Error, "Invalid GIF signature");
  EXPECT_THROW_MSG(Load("GIF89"), Error, "Premature end of data");
  EXPECT_THROW_MSG(Load(""), Error, "Premature end of data");
  EXPECT_THROW_MSG(Load("1234GIF8"), Error, "Premature end of data");
}

TEST(GifLoad, FailsOnFixedPartsCutShort) {
  const std::string gif = SimpleGif(kFourPixels, 2, 2, 1);
  const std::size_t screenEnd = 13;
  const std::size_t tableEnd = screenEnd + 6;
  for (std::size_t size :
       {std::size_t{6}, screenEnd - 1, screenEnd + 2, tableEnd - 1, tableEnd + 5}) {
    EXPECT_THROW_MSG(Load(gif.substr(0, size)), Error, "Premature end of data") << size;
  }
  // A frame whose image data is missing altogether is kept, all zeros.
  auto cut = Load(gif.substr(0, tableEnd + 10));
  ASSERT_EQ(cut->image.Images().size(), 1u);
  EXPECT_EQ(cut->image.Images()[0].data, std::vector<std::uint8_t>(4, 0));
  EXPECT_TRUE(Warned(*cut, "Premature end of data"));
}

TEST(GifLoad, PassesOverDataThatEndsEarly) {
  const std::string gif = SimpleGif(std::vector<std::uint8_t>(64, 1), 8, 8, 1);
  // Cut inside the LZW data: what was decoded stays, the rest is 0.
  auto loaded = Load(gif.substr(0, gif.size() - 5));
  ASSERT_EQ(loaded->image.Images().size(), 1u);
  const std::vector<std::uint8_t>& data = loaded->image.Images()[0].data;
  ASSERT_EQ(data.size(), 64u);
  EXPECT_EQ(data[0], 1);
  EXPECT_EQ(data[63], 0);
  EXPECT_TRUE(Warned(*loaded, "Premature end of data"));
  EXPECT_TRUE(Warned(*loaded, "Decoder bit buffer under-run"));
  // The trailer missing, or another byte in its place.
  EXPECT_TRUE(Warned(*Load(gif.substr(0, gif.size() - 1)), "Invalid GIF trailer"));
  EXPECT_TRUE(Warned(*Load(gif.substr(0, gif.size() - 1) + "x"), "Invalid GIF trailer"));
}

TEST(GifLoad, WalksTheFrames) {
  const std::string head = "GIF89a" + Screen(2, 2, 0x80) + Palette(2);
  const std::string comment =
      "!\xFE\x03"
      "end" +
      Bytes({0});
  // Zero bytes between frames are skipped.
  auto two = Load(head + Bytes({0, 0}) + kImage + Bytes({0}) + kImage + ";");
  EXPECT_EQ(two->image.Images().size(), 2u);
  EXPECT_TRUE(two->warnings.empty());
  // An unknown block type ends the frames; those read so far stay.
  auto unknown = Load(head + kImage + "x" + kImage + ";");
  EXPECT_EQ(unknown->image.Images().size(), 1u);
  EXPECT_TRUE(Warned(*unknown, "Unknown GIF block type"));
  // A comment after the last image: a frame with no image, kept.
  auto trailing = Load(head + kImage + comment + ";");
  ASSERT_EQ(trailing->image.Images().size(), 2u);
  EXPECT_TRUE(trailing->image.Images()[1].Empty());
  EXPECT_EQ(trailing->image.Images()[1].extensions.size(), 1u);
  // A frame that gets no data and has no extension is dropped.
  const std::string noData = Descriptor(0, 0, 2, 2, 0) + Bytes({13, 1, 0xFF, 0});
  auto dropped = Load(head + noData + kImage + ";");
  ASSERT_EQ(dropped->image.Images().size(), 1u);
  EXPECT_EQ(dropped->image.Images()[0].data, kFourPixels);
  EXPECT_TRUE(Warned(*dropped, "Invalid LZW code size"));
  // ... but kept, empty, when an extension goes with it.
  auto kept = Load(head + comment + noData + ";");
  ASSERT_EQ(kept->image.Images().size(), 1u);
  EXPECT_TRUE(kept->image.Images()[0].Empty());
  // A zero byte after the extensions ends the frame without an image.
  auto zero = Load(head + comment + Bytes({0}) + kImage + ";");
  ASSERT_EQ(zero->image.Images().size(), 2u);
  EXPECT_TRUE(zero->image.Images()[0].Empty());
  EXPECT_TRUE(Warned(*zero, "Invalid extension introducer"));
  // A file with no frame at all is an empty graphic.
  auto none = Load(head + ";");
  EXPECT_TRUE(none->image.Empty());
  EXPECT_EQ(none->image.Version(), GifVersion::kUnknown);
}

TEST(GifLoad, ChecksTheImageDescriptor) {
  const std::string head = "GIF89a" + Screen(3, 2, 0x80) + Palette(2);
  // After the extensions, a byte that starts neither an image nor the trailer.
  EXPECT_THROW_MSG(Load(head +
                        "!\xFE\x01"
                        "a" +
                        Bytes({0}) + "x" + kImage.substr(1) + ";"),
                   Error, "Invalid GIF data");
  // A zero width or height takes the screen's.
  auto zero = Load(head + Descriptor(0, 0, 0, 2, 0) + ImageData({0, 1, 1, 1, 1, 0}, 3, 2, 1) + ";");
  ASSERT_EQ(zero->image.Images().size(), 1u);
  EXPECT_EQ(zero->image.Images()[0].imageDescriptor.width, 3);
  EXPECT_EQ(zero->image.Images()[0].data, (std::vector<std::uint8_t>{0, 1, 1, 1, 1, 0}));
  EXPECT_TRUE(Warned(*zero, "Invalid image size"));
  // A frame reaching beyond 65535 keeps its size, whatever the screen.
  auto far = Load(head + Descriptor(65535, 0, 2, 2, 0) + ImageData(kFourPixels, 2, 2, 1) + ";");
  ASSERT_EQ(far->image.Images().size(), 1u);
  EXPECT_EQ(far->image.Images()[0].imageDescriptor.width, 2);
  EXPECT_EQ(far->image.Images()[0].data, kFourPixels);
  EXPECT_TRUE(Warned(*far, "Image extends beyond 65535 pixels"));
  // Larger than the screen: decoded at its own size.
  auto large = Load(head + Descriptor(0, 0, 4, 4, 0) +
                    ImageData(std::vector<std::uint8_t>(16, 1), 4, 4, 1) + ";");
  EXPECT_EQ(large->image.Images()[0].data, std::vector<std::uint8_t>(16, 1));
  EXPECT_TRUE(large->warnings.empty());
}

TEST(GifLoad, DeinterlacesRows) {
  std::vector<std::uint8_t> rows;
  for (int y = 0; y < 11; ++y) rows.insert(rows.end(), {std::uint8_t(y), std::uint8_t(y)});
  const std::string file = "GIF89a" + Screen(2, 11, 0x83) + Palette(16) +
                           Descriptor(0, 0, 2, 11, 0x40) + ImageData(rows, 2, 11, 4, true) + ";";
  auto loaded = Load(file);
  ASSERT_EQ(loaded->image.Images().size(), 1u);
  EXPECT_TRUE(loaded->image.Images()[0].imageDescriptor.Interlaced());
  EXPECT_EQ(loaded->image.Images()[0].data, rows);
}

TEST(GifLoad, ReadsGraphicControlAndTextExtensions) {
  const std::string control = "!\xF9" + Bytes({4, 0x05, 0x10, 0x02, 7, 0});
  const std::string comment = "!\xFE" + Bytes({5}) + std::string("ab\0zz", 5) + Bytes({6}) +
                              "c\r\nd\re" + Bytes({3}) + "\nf\xC0" + Bytes({0});
  const std::string text = "!\x01" + Bytes({12, 1, 0, 2, 0, 30, 0, 8, 0, 4, 8, 1, 0}) + Bytes({4}) +
                           "hi\r\n" + Bytes({0});
  auto loaded = Load(SimpleGif(kFourPixels, 2, 2, 1, control + comment + text + control));
  const GifExtensionList& extensions = loaded->image.Images().at(0).extensions;
  ASSERT_EQ(extensions.size(), 4u);
  const auto& gce = dynamic_cast<const GifGraphicControlExtension&>(*extensions[0]);
  EXPECT_EQ(gce.RawBytes(), (GifGraphicControlExtension::Bytes{4, 5, 0x10, 2, 7, 0}));
  EXPECT_EQ(gce.Delay(), 0x210);
  EXPECT_EQ(gce.TransparentColorIndex(), 7);
  EXPECT_EQ(gce.PackedFields(), 5);
  // Each sub-block counts up to its first zero; the lines split at CR LF,
  // CR and LF; the bytes are windows-1251.
  const auto& note = dynamic_cast<const GifCommentExtension&>(*extensions[1]);
  EXPECT_EQ(note.Lines(), (GifTextLines{u"abc", u"d", u"e", u"f\u0410"}));
  const auto& plain = dynamic_cast<const GifTextExtension&>(*extensions[2]);
  EXPECT_EQ(plain.RawBlock()[5], 30);
  EXPECT_EQ(plain.Lines(), (GifTextLines{u"hi"}));
  // A second graphic control extension is kept, with a warning.
  EXPECT_NE(dynamic_cast<const GifGraphicControlExtension*>(extensions[3].get()), nullptr);
  EXPECT_TRUE(Warned(*loaded, "Multiple graphic control extensions"));
  EXPECT_EQ(loaded->image.Version(), GifVersion::k89a);
  // A plain-text block cut short fails; a graphic control one only warns.
  const std::string head = "GIF89a" + Screen(2, 2, 0);
  EXPECT_THROW_MSG(Load(head + "!\x01" + Bytes({12, 1, 2})), Error, "Premature end of data");
  auto shortControl = Load(head + "!\xF9" + Bytes({4, 1}));
  ASSERT_EQ(shortControl->image.Images().size(), 1u);
  EXPECT_EQ(dynamic_cast<const GifGraphicControlExtension&>(
                *shortControl->image.Images()[0].extensions[0])
                .RawBytes(),
            (GifGraphicControlExtension::Bytes{4, 1, 0, 0, 0, 0}));
  EXPECT_TRUE(Warned(*shortControl, "Short graphic control extension"));
  EXPECT_THROW_MSG(Load(head + "!\x02" + Bytes({0})), Error, "Unknown extension type");
}

// The first extension of a one-frame file whose frame carries `extension`.
template <class Kind>
const Kind& FirstExtension(const Loaded& loaded) {
  return dynamic_cast<const Kind&>(*loaded.image.Images().at(0).extensions.at(0));
}

std::unique_ptr<Loaded> LoadWith(const std::string& extension) {
  return Load(SimpleGif(kFourPixels, 2, 2, 1, extension));
}

TEST(GifLoad, ReadsApplicationExtensions) {
  auto netscape = LoadWith("!\xFF\x0BNETSCAPE2.0" +
                           Bytes({3, 1, 5, 1, 5, 2, 0x10, 0x20, 0x30, 0x40, 2, 7, 7, 0}));
  const auto& loop = FirstExtension<GifAppExtNSLoop>(*netscape);
  EXPECT_EQ(loop.Name(), "NETSCAPE");
  EXPECT_EQ(loop.Authentication(), "2.0");
  EXPECT_EQ(loop.Loops(), 0x105);
  EXPECT_EQ(loop.BufferSize(), 0x40302010u);
  auto animexts = LoadWith(
      "!\xFF\x0B"
      "ANIMEXTS1.0" +
      Bytes({3, 9, 2, 0, 0}));  // 9 AND 7 = 1
  EXPECT_EQ(FirstExtension<GifAppExtNSLoop>(*animexts).Loops(), 2);
  EXPECT_EQ(FirstExtension<GifAppExtNSLoop>(*animexts).BufferSize(), 0u);
  auto magick =
      LoadWith("!\xFF\x0BImageMagick" + Bytes({3}) + "abc" + Bytes({1}) + "d" + Bytes({0}));
  const auto& other = FirstExtension<GifUnknownAppExtension>(*magick);
  EXPECT_EQ(other.Name(), "ImageMag");
  EXPECT_EQ(other.SubBlocks(), (std::vector<std::string>{"abc", "d"}));
  // Block size 10: the byte after the 10 bytes completes the identifier and
  // is read again as the first sub-block's size.
  auto old = LoadWith("!\xFF\x0ANETSCAPE2." + Bytes({2}) + "xy" + Bytes({0}));
  EXPECT_EQ(FirstExtension<GifUnknownAppExtension>(*old).Authentication(), "2.\x02");
  EXPECT_EQ(FirstExtension<GifUnknownAppExtension>(*old).SubBlocks(),
            (std::vector<std::string>{"xy"}));

  const std::string head = "GIF89a" + Screen(2, 2, 0);
  EXPECT_THROW_MSG(Load(head +
                        "!\xFF\x09"
                        "NETSCAPE2" +
                        Bytes({0})),
                   Error, "Unsupported Application Extension block size");
  EXPECT_THROW_MSG(Load(head +
                        "!\xFF\x0C"
                        "NETSCAPE2.0x" +
                        Bytes({0})),
                   Error, "Unsupported Application Extension block size");
  EXPECT_THROW_MSG(Load(head + "!\xFF\x0BNETSCAPE2.0" + Bytes({2, 1, 5, 0})), Error,
                   "Invalid GIF data");
  EXPECT_THROW_MSG(Load(head + "!\xFF\x0BNETSCAPE2.0" + Bytes({4, 2, 5, 0, 0, 0})), Error,
                   "Invalid GIF data");
}

TEST(GifLoad, BoundsTheDecodedPixels) {
  const std::string head = "GIF89a" + Screen(1, 1, 0x80) + Palette(2);
  const std::string tiny = Descriptor(0, 0, 1, 1, 0) + ImageData({1}, 1, 1, 1);
  // One frame over the limit, and a sum of frames over it: nothing is
  // allocated for the frame that would pass it.
  EXPECT_THROW_MSG(Load(head + Descriptor(0, 0, 65535, 65535, 0) + Bytes({2, 0}) + ";"), Error,
                   "Image is too large (65535 x 65535 pixels). "
                   "The limit is 268435456 pixels at this colour depth.");
  EXPECT_THROW_MSG(Load(head + tiny + Descriptor(0, 0, 16384, 16384, 0) + Bytes({2, 0}) + ";"),
                   Error,
                   "Image is too large (16384 x 16384 pixels). "
                   "The limit is 268435455 pixels at this colour depth.");
  // Thousands of small frames load.
  std::string many = head;
  for (int i = 0; i < 5000; ++i) many += tiny;
  auto loaded = Load(many + ";");
  ASSERT_EQ(loaded->image.Images().size(), 5000u);
  EXPECT_EQ(loaded->image.Images()[4999].data, std::vector<std::uint8_t>{1});
}

TEST(GifLoad, FailedLoadKeepsThePreviousContent) {
  GifImage image;
  image.LoadFromBytes(SimpleGif(kFourPixels, 2, 2, 1));
  EXPECT_THROW(image.LoadFromBytes("GIF89a\x01"), GifException);
  ASSERT_EQ(image.Images().size(), 1u);
  EXPECT_EQ(image.Images()[0].data, kFourPixels);
}

TEST(GifLoad, SurvivesDamagedFiles) {
  // Random damage to sample files: every load ends in a graphic or in one
  // of the system's errors, never outside the data (sanitizers watch).
  std::mt19937 random(1234);
  for (const char* name : {"animated.gif", "comment.gif", "interlaced.gif", "noise.gif"}) {
    const std::string original =
        texttoxml::testing::ReadFile(std::string(TEXTTOXML_TEST_DATA) + "/pictures/gif/" + name);
    ASSERT_FALSE(original.empty()) << name;
    for (int round = 0; round < 300; ++round) {
      std::string damaged = original;
      for (int hits = 1 + static_cast<int>(random() % 4); hits > 0; --hits) {
        damaged[random() % damaged.size()] = static_cast<char>(random());
      }
      if (round % 4 == 0) damaged.resize(random() % damaged.size());
      GifImage image;
      try {
        image.LoadFromBytes(damaged);
        std::string out;
        image.SaveToStream(out);
      } catch (const Error&) {
      }
    }
  }
}

}  // namespace
}  // namespace texttoxml::pictures
