#include "conversion/text.h"

#include <gtest/gtest.h>

namespace texttoxml::conversion {
namespace {

using namespace std::string_view_literals;
using Lines = std::vector<std::u16string>;

TEST(TrimTextTest, RemovesOnlyControlCharactersAndSpacesAtTheEnds) {
  EXPECT_EQ(TrimText(u" \t\r\n\x01\0a b\x1F \x20"sv), u"a b");
  EXPECT_EQ(TrimText(u"\0x\0"sv), u"x");
  EXPECT_EQ(TrimText(u"\u00A0a\u00A0"), u"\u00A0a\u00A0");
  EXPECT_EQ(TrimText(u"!a!"), u"!a!");
  EXPECT_EQ(TrimText(u" \r\n \t"), u"");
  EXPECT_EQ(TrimText(u""), u"");
}

TEST(SplitLinesTest, TakesCrLfLoneCrAndLoneLfAsOneBreakEach) {
  EXPECT_EQ(SplitLines(u"a\r\nb"), (Lines{u"a", u"b"}));
  EXPECT_EQ(SplitLines(u"a\rb"), (Lines{u"a", u"b"}));
  EXPECT_EQ(SplitLines(u"a\nb"), (Lines{u"a", u"b"}));
  EXPECT_EQ(SplitLines(u"a\n\rb"), (Lines{u"a", u"", u"b"}));
  EXPECT_EQ(SplitLines(u"a\r\n\r\nb"), (Lines{u"a", u"", u"b"}));
  EXPECT_EQ(SplitLines(u"\r\na"), (Lines{u"", u"a"}));
}

TEST(SplitLinesTest, EndsAtTheTextEndOrAtNul) {
  EXPECT_EQ(SplitLines(u"a\r\n"), (Lines{u"a"}));
  EXPECT_EQ(SplitLines(u"a\r\n\r\n"), (Lines{u"a", u""}));
  EXPECT_EQ(SplitLines(u"\r\n"), (Lines{u""}));
  EXPECT_EQ(SplitLines(u""), Lines{});
  EXPECT_EQ(SplitLines(u"a\0b\r\nc"sv), (Lines{u"a"}));
  EXPECT_EQ(SplitLines(u"a\r\n\0b"sv), (Lines{u"a"}));
  EXPECT_EQ(SplitLines(u"\0a"sv), Lines{});
}

// Every unit up to CR is found wherever it stands in a word of four, and
// none above it, however close: U+000E, or units whose top bit is set.
TEST(NextControlUnitTest, FindsTheFirstUnitUpToCrAtEveryPlace) {
  const std::u16string filler = u"\u000E\u8000\uFFFF\u0430 ~\u00A0\u800D";
  for (std::size_t length = 0; length <= 13; ++length) {
    std::u16string text;
    while (text.size() < length) text += filler[text.size() % filler.size()];
    EXPECT_EQ(NextControlUnit(text, 0), length) << length;
    for (std::size_t at = 0; at < length; ++at) {
      for (char16_t control : {u'\0', u'\t', u'\n', u'\r'}) {
        std::u16string marked = text;
        marked[at] = control;
        EXPECT_EQ(NextControlUnit(marked, 0), at) << length << " " << at;
        EXPECT_EQ(NextControlUnit(marked, at + 1), length) << length << " " << at;
        if (at + 2 < length) marked[at + 2] = control;
        EXPECT_EQ(NextControlUnit(marked, at + 1), at + 2 < length ? at + 2 : length);
      }
    }
  }
}

TEST(JoinLinesTest, EndsEveryLineWithCrLf) {
  EXPECT_EQ(JoinLines({}), u"");
  EXPECT_EQ(JoinLines({u""}), u"\r\n");
  EXPECT_EQ(JoinLines({u"a", u"", u" b "}), u"a\r\n\r\n b \r\n");
  EXPECT_EQ(SplitLines(JoinLines({u"x", u"", u"y"})), (Lines{u"x", u"", u"y"}));
}

}  // namespace
}  // namespace texttoxml::conversion
