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

TEST(JoinLinesTest, EndsEveryLineWithCrLf) {
  EXPECT_EQ(JoinLines({}), u"");
  EXPECT_EQ(JoinLines({u""}), u"\r\n");
  EXPECT_EQ(JoinLines({u"a", u"", u" b "}), u"a\r\n\r\n b \r\n");
  EXPECT_EQ(SplitLines(JoinLines({u"x", u"", u"y"})), (Lines{u"x", u"", u"y"}));
}

}  // namespace
}  // namespace texttoxml::conversion
