#include "platform/utf.h"

#include <gtest/gtest.h>

namespace texttoxml::platform {
namespace {

TEST(Utf16ToUtf8, EncodesEveryLength) {
  EXPECT_EQ(Utf16ToUtf8(u"A"), "A");
  EXPECT_EQ(Utf16ToUtf8(u"\u00E9"), "\xC3\xA9");
  EXPECT_EQ(Utf16ToUtf8(u"Ж"), "\xD0\x96");
  EXPECT_EQ(Utf16ToUtf8(u"\u20AC"), "\xE2\x82\xAC");
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");  // one four-byte sequence
}

TEST(Utf16ToUtf8, UnpairedSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xDC00), u'a'}),
            "\xEF\xBF\xBD"
            "a");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xD83D), u'x'}),
            "\xEF\xBF\xBD"
            "x");
}

TEST(Utf8ToUtf16, DecodesValidText) {
  auto decoded = Utf8ToUtf16("a\xD0\x96\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_TRUE(decoded.valid);
  EXPECT_EQ(decoded.text, u"aЖ\u20AC\U0001F600");
  EXPECT_TRUE(Utf8ToUtf16("").valid);
}

// A text longer than the decoder's block, with pairs of surrogates falling
// on every position around the block's end.
TEST(Utf8ToUtf16, DecodesTextsLongerThanItsBlock) {
  for (std::size_t before = 4090; before < 4100; ++before) {
    const std::string bytes = std::string(before, 'a') + "\xF0\x9F\x98\x80\xD0\x96" +
                              std::string(5000, 'b') + "\xF0\x9F\x98\x80";
    auto decoded = Utf8ToUtf16(bytes);
    ASSERT_TRUE(decoded.valid);
    EXPECT_EQ(decoded.text, std::u16string(before, u'a') + u"\U0001F600Ж" +
                                std::u16string(5000, u'b') + u"\U0001F600");
  }
  auto broken = Utf8ToUtf16(std::string(9000, 'a') + "\xFF");
  EXPECT_FALSE(broken.valid);
  EXPECT_EQ(broken.errorOffset, 9000u);
  EXPECT_TRUE(broken.text.empty());
}

TEST(Utf8ToUtf16, ReportsTheFirstInvalidSequence) {
  struct Case {
    std::string bytes;
    std::size_t offset;
  };
  const Case cases[] = {
      {"ab\xC0\x80", 2},          // overlong NUL
      {"\xE0\x80\xAF", 0},        // overlong three-byte form
      {"x\xED\xA0\x80", 1},       // surrogate
      {"xy\xF4\x90\x80\x80", 2},  // above U+10FFFF
      {"\xF5\x80\x80\x80", 0},    // lead byte never valid
      {"abc\xD0", 3},             // truncated at the end
      {"\xD0x", 0},               // continuation missing
      {"ok\x80", 2},              // stray continuation
      {"\xD0\x96\xFF", 2},
  };
  for (const Case& c : cases) {
    auto decoded = Utf8ToUtf16(c.bytes);
    EXPECT_FALSE(decoded.valid) << c.offset;
    EXPECT_EQ(decoded.errorOffset, c.offset);
    EXPECT_TRUE(decoded.text.empty());
  }
}

// Pieces end before a unit that would cut a pair in two; a piece of one
// unit cannot be shorter.
TEST(PieceEnd, SplitsNeitherASurrogatePairNorACrLf) {
  const std::u16string_view text = u"ab\r\ncd\U0001F600e";  // the pair at 6 and 7
  EXPECT_EQ(PieceEnd(text, 0, 2), 2u);
  EXPECT_EQ(PieceEnd(text, 0, 3), 2u);
  EXPECT_EQ(PieceEnd(text, 2, 2), 4u);
  EXPECT_EQ(PieceEnd(text, 4, 3), 6u);
  EXPECT_EQ(PieceEnd(text, 6, 2), 8u);
  EXPECT_EQ(PieceEnd(text, 6, 100), text.size());
  EXPECT_EQ(PieceEnd(text, 2, 1), 3u);
  EXPECT_EQ(PieceEnd(text, text.size(), 4), text.size());
}

}  // namespace
}  // namespace texttoxml::platform
