#include <gtest/gtest.h>

#include <random>

#include "gif_test_support.h"
#include "pictures/gif_lzw.h"
#include "pictures/picture_errors.h"
#include "test_support.h"

namespace texttoxml::pictures {
namespace {

using testing::Bytes;

std::string Encode(const std::vector<std::uint8_t>& pixels, int width, int height, int bits,
                   bool interlaced = false) {
  return testing::ImageData(pixels, width, height, bits, interlaced);
}

// The sub-block data of an image data block (after the code size byte).
std::vector<std::string_view> SubBlocks(std::string_view data) {
  std::vector<std::string_view> blocks;
  std::size_t i = 1;
  while (i < data.size() && data[i] != 0) {
    auto size = static_cast<std::uint8_t>(data[i]);
    blocks.push_back(data.substr(i + 1, size));
    i += 1 + size;
  }
  return blocks;
}

// Packs (code, width) pairs least significant bit first.
std::string PackCodes(const std::vector<std::pair<int, int>>& codes) {
  std::string bytes;
  std::uint32_t bits = 0;
  int count = 0;
  for (auto [code, width] : codes) {
    bits |= static_cast<std::uint32_t>(code) << count;
    count += width;
    for (; count >= 8; count -= 8, bits >>= 8) bytes.push_back(static_cast<char>(bits & 0xFF));
  }
  if (count > 0) bytes.push_back(static_cast<char>(bits & 0xFF));
  return bytes;
}

TEST(GifLzw, RowOrderFollowsTheInterlacePasses) {
  EXPECT_EQ(GifRowOrder(3, true), (std::vector<int>{0, 2, 1}));
  EXPECT_EQ(GifRowOrder(10, true), (std::vector<int>{0, 8, 4, 2, 6, 1, 3, 5, 7, 9}));
  EXPECT_EQ(GifRowOrder(1, true), (std::vector<int>{0}));
  EXPECT_EQ(GifRowOrder(4, false), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_TRUE(GifRowOrder(0, true).empty());
}

TEST(GifLzw, EncodesSmallImagesToHandWorkedBytes) {
  // One pixel: clear 4, code 0, end 5, all in 3 bits.
  EXPECT_EQ(Encode({0}, 1, 1, 1), Bytes({2, 2, 0x44, 0x01, 0}));
  // Four zeros: clear, 0, 6 (= 0 0), 0 in 3 bits; the table then holds 8
  // codes, so the end code 5 takes 4 bits.
  EXPECT_EQ(Encode({0, 0, 0, 0}, 2, 2, 1), Bytes({2, 2, 0x84, 0x51, 0}));
  // Without a colour table (0 bits) the code size is still 2.
  EXPECT_EQ(Encode({0}, 1, 1, 0), Bytes({2, 2, 0x44, 0x01, 0}));
  // 1, 2, 3 with 4 colours: clear, 1, 2, 3; after 3 the next free code is
  // 8, so the end code takes 4 bits.
  EXPECT_EQ(Encode({1, 2, 3}, 3, 1, 2),
            Bytes({2, 2}) + PackCodes({{4, 3}, {1, 3}, {2, 3}, {3, 3}, {5, 4}}) + Bytes({0}));
  // 8 bits: clear 256 and codes of 9 bits.
  EXPECT_EQ(Encode({7, 7, 7}, 3, 1, 8),
            Bytes({8, 5}) + PackCodes({{256, 9}, {7, 9}, {258, 9}, {257, 9}}) + Bytes({0}));
}

// A sequence of 8-bit values in which no pair of neighbours repeats (a de
// Bruijn sequence), so every code the encoder emits is a single pixel.
std::vector<std::uint8_t> NoRepeatedPairs(std::size_t count) {
  std::vector<std::uint8_t> values;
  for (int a = 0; a < 256 && values.size() < count; ++a) {
    values.push_back(static_cast<std::uint8_t>(a));
    for (int b = a + 1; b < 256; ++b) {
      values.push_back(static_cast<std::uint8_t>(a));
      values.push_back(static_cast<std::uint8_t>(b));
    }
  }
  values.resize(count);
  return values;
}

int BitLength(int value) {
  int bits = 0;
  for (; value > 0; value >>= 1) ++bits;
  return bits;
}

TEST(GifLzw, StartsAFreshTableBeforeCode4095) {
  const std::vector<std::uint8_t> pixels = NoRepeatedPairs(9000);
  // After a clear, the n-th code is written while the next free code is
  // 258 + n: in 9 bits up to n = 254, then one bit more at each power of
  // two, at most 12. When the next free code reaches 4095 (n = 3837) a clear
  // follows in 12 bits and the widths start again at 9.
  std::vector<std::pair<int, int>> codes{{256, 9}};
  int n = 0;
  for (std::size_t i = 0; i < pixels.size(); ++i, ++n) {
    codes.emplace_back(pixels[i], std::clamp(BitLength(257 + n), 9, 12));
    if (258 + n == 4095 && i + 1 < pixels.size()) {
      codes.emplace_back(256, 12);
      n = -1;
    }
  }
  codes.emplace_back(257, std::clamp(BitLength(258 + n - 1), 9, 12));
  const std::string expected = PackCodes(codes);

  const std::string data = Encode(pixels, 9000, 1, 8);
  std::string joined;
  for (std::string_view block : SubBlocks(data)) joined += block;
  EXPECT_EQ(joined.size(), expected.size());
  EXPECT_TRUE(joined == expected);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), std::pair{256, 12}), 2);
}

TEST(GifLzw, CutsTheCodesIntoSubBlocks) {
  // Every length from a few bytes to a few blocks: full blocks of 255, a
  // last one of 1 to 254 bytes, then one zero byte; a length that is a
  // multiple of 255 ends with full blocks and the zero byte alone.
  bool multipleSeen = false;
  for (std::size_t count = 1; count < 700; ++count) {
    const std::string data = Encode(NoRepeatedPairs(count), static_cast<int>(count), 1, 8);
    const std::vector<std::string_view> blocks = SubBlocks(data);
    std::size_t total = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
      if (i + 1 < blocks.size()) {
        EXPECT_EQ(blocks[i].size(), 255u);
      }
      EXPECT_GE(blocks[i].size(), 1u);
      total += blocks[i].size();
    }
    ASSERT_EQ(data.size(), 1 + total + blocks.size() + 1) << count;
    EXPECT_EQ(data.back(), '\0');
    if (total % 255 == 0) {
      multipleSeen = true;
      EXPECT_EQ(blocks.back().size(), 255u);
    }
  }
  EXPECT_TRUE(multipleSeen);
}

TEST(GifLzw, RefusesIndicesOutsideTheTable) {
  // Three colours: index 3 is out even though the code size allows 4.
  const std::vector<std::uint8_t> pixels{0, 1, 3, 2};
  std::string out;
  EXPECT_THROW_MSG(WriteGifImageData({pixels, 2, 2, false, 2, 3}, out), GifException,
                   "Color not in color table");
  const std::vector<std::uint8_t> first{5};
  EXPECT_THROW(WriteGifImageData({first, 1, 1, false, 2, 4}, out), GifException);
  const std::vector<std::uint8_t> wrongSize{0, 0, 0};
  EXPECT_THROW(WriteGifImageData({wrongSize, 2, 2, false, 1, 2}, out), GifException);
  EXPECT_THROW(WriteGifImageData({{}, 0, 0, false, 1, 2}, out), GifException);
  EXPECT_TRUE(out.empty());
}

struct Decoded {
  GifLzwEnd end;
  std::vector<std::uint8_t> pixels;
};

Decoded Decode(std::string_view codes, int minCodeSize, int width, int height,
               bool interlaced = false, std::uint8_t fill = 0) {
  Decoded result{GifLzwEnd::kComplete,
                 std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), fill)};
  std::vector<std::string_view> blocks;
  if (!codes.empty()) blocks.push_back(codes);
  result.end = DecodeGifLzw(blocks, minCodeSize, width, height, interlaced, result.pixels.data());
  return result;
}

TEST(GifLzw, DecoderStopsAtTheEndOfDataOrOfTheImage) {
  // Four zeros encoded, decoded into 2 pixels: the rest is ignored.
  const std::string fourZeros = Bytes({0x84, 0x51});
  EXPECT_EQ(Decode(fourZeros, 2, 2, 1, false, 9).end, GifLzwEnd::kComplete);
  EXPECT_EQ(Decode(fourZeros, 2, 2, 1, false, 9).pixels, (std::vector<std::uint8_t>{0, 0}));
  // Into 6 pixels: the end code comes first, the last two keep their value.
  EXPECT_EQ(Decode(fourZeros, 2, 3, 2, false, 9).end, GifLzwEnd::kEndCode);
  EXPECT_EQ(Decode(fourZeros, 2, 3, 2, false, 9).pixels,
            (std::vector<std::uint8_t>{0, 0, 0, 0, 9, 9}));
  // Cut after the first byte (clear and code 0): the data runs out.
  const Decoded cut = Decode(fourZeros.substr(0, 1), 2, 2, 2, false, 9);
  EXPECT_EQ(cut.end, GifLzwEnd::kOutOfData);
  EXPECT_EQ(cut.pixels, (std::vector<std::uint8_t>{0, 9, 9, 9}));
  EXPECT_EQ(Decode("", 2, 1, 1, false, 9).end, GifLzwEnd::kOutOfData);
  // Codes without a leading clear code are decoded too: 1, 2, end.
  EXPECT_EQ(Decode(PackCodes({{1, 3}, {2, 3}, {5, 3}}), 2, 2, 1).pixels,
            (std::vector<std::uint8_t>{1, 2}));
  // Rows of an interlaced image land in display order: 3 rows sent 0, 2, 1.
  EXPECT_EQ(Decode(PackCodes({{4, 3}, {1, 3}, {3, 3}, {2, 3}, {5, 4}}), 2, 1, 3, true).pixels,
            (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(GifLzw, DecoderRefusesBrokenCodes) {
  // Right after a clear, the next free code would be defined by itself.
  EXPECT_THROW_MSG(Decode(PackCodes({{4, 3}, {6, 3}}), 2, 4, 4), GifException,
                   "Circular decoder table entry");
  // A code beyond the next free one is not in the table.
  EXPECT_THROW_MSG(Decode(PackCodes({{4, 3}, {0, 3}, {7, 3}}), 2, 4, 4), GifException,
                   "Invalid GIF data");
  // A literal that does not fit a byte (code size 12 allows 4096 of them).
  EXPECT_THROW_MSG(Decode(PackCodes({{4096, 13}, {300, 13}}), 12, 4, 4), GifException,
                   "Invalid GIF data");
  // With code size 12 the table never grows: no code beyond the end code.
  EXPECT_THROW_MSG(Decode(PackCodes({{4096, 13}, {1, 13}, {4098, 13}}), 12, 4, 4), GifException,
                   "Invalid GIF data");
  EXPECT_NO_THROW(Decode(PackCodes({{4096, 13}, {1, 13}, {2, 13}, {4097, 13}}), 12, 4, 4));
}

TEST(GifLzw, DecoderSurvivesArbitraryCodes) {
  // Whatever the bytes, decoding ends with a result or a GifException and
  // never leaves the pixel buffer (checked under the sanitizers).
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    std::string codes(random() % 300, '\0');
    for (char& c : codes) c = static_cast<char>(random());
    const int minCodeSize = static_cast<int>(random() % 13);
    try {
      Decode(codes, minCodeSize, 1 + static_cast<int>(random() % 40),
             1 + static_cast<int>(random() % 40), round % 2 == 0);
    } catch (const GifException&) {
    }
  }
}

TEST(GifLzw, RoundTripsStringsAcrossRowsPassesAndTableRestarts) {
  std::mt19937 random(11);
  struct Case {
    int width, height, bits;
    bool runs;  // long runs of one colour make strings longer than a row
  };
  for (const Case& c : {Case{1, 1, 1, true}, Case{3, 7, 2, true}, Case{17, 13, 2, true},
                        Case{300, 40, 1, true}, Case{64, 64, 8, false}, Case{257, 33, 8, true}}) {
    for (bool interlaced : {false, true}) {
      std::vector<std::uint8_t> pixels(static_cast<std::size_t>(c.width * c.height));
      for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint32_t value = c.runs ? static_cast<std::uint32_t>(i / 50) * 7 +
                                                 (random() % 8 == 0)
                                           : static_cast<std::uint32_t>(random());
        pixels[i] = static_cast<std::uint8_t>(value % (1u << c.bits));
      }
      const std::string data = Encode(pixels, c.width, c.height, c.bits, interlaced);
      const std::vector<std::string_view> blocks = SubBlocks(data);
      for (std::size_t b = 0; b + 1 < blocks.size(); ++b) EXPECT_EQ(blocks[b].size(), 255u);
      std::vector<std::uint8_t> decoded(pixels.size(), 0xEE);
      EXPECT_EQ(DecodeGifLzw(blocks, data[0], c.width, c.height, interlaced, decoded.data()),
                GifLzwEnd::kComplete);
      EXPECT_EQ(decoded, pixels) << c.width << " x " << c.height
                                 << (interlaced ? " interlaced" : "");
    }
  }
}

}  // namespace
}  // namespace texttoxml::pictures
