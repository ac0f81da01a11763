// The PNG suite: every valid file loads, is written back and decodes in
// libpng to the same pixels; every corrupt file fails with its message.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "pictures/picture_errors.h"
#include "pictures/png_image.h"
#include "png_test_support.h"
#include "test_support.h"

namespace texttoxml::pictures {
namespace {

using testing::ChunkNames;
using testing::DecodeWithLibpng;
using testing::PngChunkFrame;
using testing::SplitPng;

std::vector<std::filesystem::path> SuiteFiles(bool corrupt) {
  std::vector<std::filesystem::path> files;
  const auto folder = std::filesystem::path(TEXTTOXML_TEST_DATA) / "pictures" / "pngsuite";
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".png" && (name[0] == 'x') == corrupt)
      files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Chunk names with the image data as one "IDAT" and without "cHRM".
std::vector<std::string> ExpectedOrder(const std::vector<PngChunkFrame>& frames) {
  std::vector<std::string> names;
  for (const std::string& name : ChunkNames(frames)) {
    if (name == "cHRM" || (name == "IDAT" && !names.empty() && names.back() == "IDAT")) continue;
    names.push_back(name);
  }
  return names;
}

void ExpectFramedImageData(const std::vector<PngChunkFrame>& frames) {
  std::vector<std::size_t> lengths;
  for (const auto& frame : frames) {
    EXPECT_TRUE(frame.crcOk) << frame.name;
    if (frame.name == "IDAT") lengths.push_back(frame.data.size());
  }
  ASSERT_FALSE(lengths.empty());
  for (std::size_t i = 0; i + 1 < lengths.size(); ++i) EXPECT_EQ(lengths[i], 65535u);
  EXPECT_GT(lengths.back(), 0u);
}

// Ancillary chunks come back with their data; compressed text with its text.
// tRNS is compared by the pixels it makes transparent (below), since its
// level moves with the samples of 2-bit grey and 16-bit images.
void ExpectSameAncillaryData(const std::vector<PngChunkFrame>& original,
                             const std::vector<PngChunkFrame>& written) {
  std::vector<const PngChunkFrame*> kept;
  for (const auto& frame : original) {
    if (frame.name != "cHRM" && frame.name != "IDAT" && frame.name != "IHDR")
      kept.push_back(&frame);
  }
  std::size_t k = 0;
  for (const auto& frame : written) {
    if (frame.name == "IDAT" || frame.name == "IHDR") continue;
    ASSERT_LT(k, kept.size());
    const PngChunkFrame& from = *kept[k++];
    if (frame.name == "zTXt") {
      const std::size_t header = from.data.find('\0') + 2;
      EXPECT_EQ(frame.data.substr(0, header), from.data.substr(0, header));
      EXPECT_EQ(testing::Inflate(frame.data.substr(header)),
                testing::Inflate(from.data.substr(header)));
    } else if (frame.name != "tRNS") {
      EXPECT_EQ(frame.data, from.data) << frame.name;
    }
  }
}

TEST(PngSuite, ValidFilesAreWrittenBackWithTheSamePixels) {
  const auto files = SuiteFiles(false);
  ASSERT_GT(files.size(), 150u);
  for (const auto& path : files) {
    SCOPED_TRACE(path.filename().string());
    const std::string bytes = testing::ReadFile(path.string());
    PngImage image;
    ASSERT_NO_THROW(image.LoadFromBytes(bytes));
    std::string written;
    image.SaveToStream(written);

    const auto before = DecodeWithLibpng(bytes);
    const auto after = DecodeWithLibpng(written);
    ASSERT_TRUE(before.ok) << before.error;
    ASSERT_TRUE(after.ok) << after.error;
    EXPECT_EQ(after.width, before.width);
    EXPECT_EQ(after.height, before.height);
    EXPECT_EQ(after.colorType, before.colorType);
    EXPECT_EQ(after.bitDepth, before.bitDepth == 2 ? 4 : before.bitDepth);
    EXPECT_EQ(after.interlace, before.interlace);
    ASSERT_EQ(after.channels, before.channels);
    ASSERT_EQ(after.pixels.size(), before.pixels.size());
    if (before.sampleBits == 16) {
      // Samples keep their high byte; the low byte is written as 0.
      std::vector<std::uint8_t> truncated = before.pixels;
      for (std::size_t i = 1; i < truncated.size(); i += 2) truncated[i] = 0;
      EXPECT_EQ(after.pixels, truncated);
    } else {
      EXPECT_EQ(after.pixels, before.pixels);
    }

    const auto originalFrames = SplitPng(bytes);
    const auto writtenFrames = SplitPng(written);
    EXPECT_EQ(ChunkNames(writtenFrames), ExpectedOrder(originalFrames));
    ExpectFramedImageData(writtenFrames);
    ExpectSameAncillaryData(originalFrames, writtenFrames);
  }
}

// The alpha of every pixel of the images with a transparency chunk,
// top-left first, as libpng finds it.
std::vector<std::uint16_t> Alphas(const std::string& png) {
  const auto image = DecodeWithLibpng(png, true);
  EXPECT_TRUE(image.ok) << image.error;
  const std::size_t sampleBytes = static_cast<std::size_t>(image.sampleBits / 8);
  const std::size_t pixelBytes = sampleBytes * static_cast<std::size_t>(image.channels);
  std::vector<std::uint16_t> alphas;
  for (std::size_t at = pixelBytes - sampleBytes; at < image.pixels.size(); at += pixelBytes) {
    alphas.push_back(static_cast<std::uint16_t>(
        sampleBytes == 2 ? image.pixels[at] << 8 | image.pixels[at + 1] : image.pixels[at]));
  }
  return alphas;
}

TEST(PngSuite, TransparentPixelsStayTransparent) {
  int checked = 0;
  for (const auto& path : SuiteFiles(false)) {
    const std::string bytes = testing::ReadFile(path.string());
    const auto names = ChunkNames(SplitPng(bytes));
    if (std::find(names.begin(), names.end(), "tRNS") == names.end()) continue;
    SCOPED_TRACE(path.filename().string());
    PngImage image;
    image.LoadFromBytes(bytes);
    std::string written;
    image.SaveToStream(written);
    const auto before = Alphas(bytes);
    EXPECT_FALSE(before.empty());
    EXPECT_EQ(Alphas(written), before);
    ++checked;
  }
  EXPECT_GE(checked, 10);
}

TEST(PngSuite, CorruptFilesFailWithTheirMessages) {
  const std::string header = PngInvalidFileHeaderError().what();
  const std::string crc = PngInvalidCrcError().what();
  const std::string format = "invalid combination of color type";
  const std::map<std::string, std::string> expected = {
      {"xc1n0g08.png", format}, {"xc9n2c08.png", format},
      {"xcrn0g04.png", header}, {"xcsn0g01.png", crc},
      {"xd0n2c08.png", format}, {"xd3n2c08.png", format},
      {"xd9n2c08.png", format}, {"xdtn0g01.png", PngNoImageDataError().what()},
      {"xhdn0g08.png", crc},    {"xlfn0g04.png", header},
      {"xs1n0g01.png", header}, {"xs2n0g01.png", header},
      {"xs4n0g01.png", header}, {"xs7n0g01.png", header}};
  const auto files = SuiteFiles(true);
  EXPECT_EQ(files.size(), expected.size());
  for (const auto& path : files) {
    const std::string name = path.filename().string();
    SCOPED_TRACE(name);
    ASSERT_EQ(expected.count(name), 1u);
    PngImage image;
    try {
      image.LoadFromBytes(testing::ReadFile(path.string()));
      ADD_FAILURE() << "loaded";
    } catch (const PngError& error) {
      EXPECT_NE(std::string(error.what()).find(expected.at(name)), std::string::npos)
          << error.what();
    }
  }
}

}  // namespace
}  // namespace texttoxml::pictures
