#include "conversion/task_text.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/platform_errors.h"
#include "test_support.h"

namespace texttoxml::conversion {
namespace {

using namespace std::string_view_literals;
using namespace std::string_literals;
using Blocks = std::vector<std::u16string_view>;
using texttoxml::testing::TempDir;

// "мир" in windows-1251 and in UTF-8.
constexpr std::string_view kMirAnsi = "\xEC\xE8\xF0";
constexpr std::string_view kMirUtf8 = "\xD0\xBC\xD0\xB8\xD1\x80";

class LoadTaskTextTest : public ::testing::Test {
 protected:
  std::u16string Load(std::string_view bytes, bool utf8) {
    return LoadTaskText(dir_.Write("task.txt", bytes), utf8);
  }
  std::string FullPath() const { return platform::FullPath(dir_.File("task.txt")); }

  TempDir dir_;
};

TEST_F(LoadTaskTextTest, DecodesAnsiWithoutMarkByteByByte) {
  EXPECT_EQ(Load(std::string(kMirAnsi) + "\r\n+ a", false), u"мир\r\n+ a");
  // UTF-8 bytes without a mark are windows-1251 too: two letters per letter.
  EXPECT_EQ(Load(kMirUtf8, false), u"\u0420\u0458\u0420\u0451\u0421\u0402");
  // Files shorter than a mark do not carry it.
  EXPECT_EQ(Load("\xEF\xBB", false), u"\u043F\u00BB");
  EXPECT_EQ(Load("\xFF", false), u"я");
}

TEST_F(LoadTaskTextTest, DecodesUtf8WithFlagOrMark) {
  const std::string marked = "\xEF\xBB\xBF" + std::string(kMirUtf8);
  EXPECT_EQ(Load(marked, false), u"мир");
  EXPECT_EQ(Load(marked, true), u"мир");
  EXPECT_EQ(Load(kMirUtf8, true), u"мир");
  EXPECT_EQ(Load("\xF0\x9F\x98\x80", true), u"\U0001F600");
}

TEST_F(LoadTaskTextTest, DecodesUtf16WithMark) {
  EXPECT_EQ(Load("\xFF\xFE<\x04\x38\x04@\x04", false), u"мир");
  EXPECT_EQ(Load("\xFE\xFF\x04<\x04\x38\x04@", false), u"мир");
  // An odd last byte is dropped; surrogates pass unchecked.
  EXPECT_EQ(Load("\xFF\xFE"
                 "a\0b"sv,
                 false),
            u"a");
  EXPECT_EQ(Load("\xFE\xFF\xD8\x3D\xDE\x00\xDC"sv, false), u"\xD83D\xDE00");
  EXPECT_EQ(Load("\xFF\xFE\x00\xDC"sv, false), u"\xDC00");
}

TEST_F(LoadTaskTextTest, MarkOnlyAndEmptyFilesAreEmpty) {
  EXPECT_EQ(Load("", false), u"");
  EXPECT_EQ(Load("", true), u"");
  EXPECT_EQ(Load("\xEF\xBB\xBF", false), u"");
  EXPECT_EQ(Load("\xEF\xBB\xBF", true), u"");
  EXPECT_EQ(Load("\xFF\xFE", false), u"");
  EXPECT_EQ(Load("\xFE\xFF", false), u"");
}

TEST_F(LoadTaskTextTest, InvalidUtf8RaisesWithFileOffset) {
  EXPECT_THROW_MSG(Load("ab\xC3(", true), InvalidUtf8Error,
                   "Invalid UTF-8 in file \"" + FullPath() + "\" at byte 2");
  // The offset counts the dropped mark.
  EXPECT_THROW_MSG(Load("\xEF\xBB\xBF"
                        "abc\xFF",
                        false),
                   InvalidUtf8Error, "Invalid UTF-8 in file \"" + FullPath() + "\" at byte 6");
  EXPECT_THROW_MSG(Load("\xEF\xBB\xBF\xC0\x80", true), InvalidUtf8Error,
                   "Invalid UTF-8 in file \"" + FullPath() + "\" at byte 3");
  // UTF-16 opened as UTF-8 is not quietly emptied either.
  EXPECT_THROW_MSG(Load("\xFF\xFE"
                        "a\0"sv,
                        true),
                   InvalidUtf8Error, "Invalid UTF-8 in file \"" + FullPath() + "\" at byte 0");
  // Truncated at the end of the file.
  EXPECT_THROW_MSG(Load("abc\xD0", true), InvalidUtf8Error,
                   "Invalid UTF-8 in file \"" + FullPath() + "\" at byte 3");
}

TEST_F(LoadTaskTextTest, MissingFileRaisesOpenError) {
  const std::string path = dir_.File("missing.txt");
  EXPECT_THROW_MSG(
      LoadTaskText(path, false), FOpenError,
      "Cannot open file \"" + platform::FullPath(path) + "\". No such file or directory");
  EXPECT_THROW(LoadTaskText(dir_.Path(), false), FOpenError);
}

TEST(MemoTextTest, WritesEveryLineBreakAsCrLfAndCutsAtNul) {
  EXPECT_EQ(MemoText(u"a\rb\nc\r\nd"), u"a\r\nb\r\nc\r\nd");
  EXPECT_EQ(MemoText(u"a\n\rb"), u"a\r\n\r\nb");
  EXPECT_EQ(MemoText(u"\r\r\n\n"), u"\r\n\r\n\r\n");
  EXPECT_EQ(MemoText(u"ab\r"), u"ab\r\n");
  EXPECT_EQ(MemoText(u"ab\0c\nd"s), u"ab");
  EXPECT_EQ(MemoText(u"\0ab"s), u"");
  EXPECT_EQ(MemoText(u""), u"");
  // Text already in CR LF is kept as it is, up to a lone break found late.
  EXPECT_EQ(MemoText(u"a\r\nb\r\n"), u"a\r\nb\r\n");
  EXPECT_EQ(MemoText(u"a\r\nb\r\nc\nd\r\ne\r"), u"a\r\nb\r\nc\r\nd\r\ne\r\n");
  EXPECT_EQ(MemoText(u"a\r\nb\0\n"s), u"a\r\nb");
  // Widened in place from the end: breaks first and last, and a text with
  // no room to spare.
  EXPECT_EQ(MemoText(u"\nx\n\r\n\ry\r"), u"\r\nx\r\n\r\n\r\ny\r\n");
  std::u16string tight = u"long line one\nlong line two\n";
  tight.shrink_to_fit();
  EXPECT_EQ(MemoText(std::move(tight)), u"long line one\r\nlong line two\r\n");
}

TEST(PrepareTaskTextTest, CollapsesBlankLineRunsBetweenTasks) {
  PreparedText prepared = PrepareTaskText(u"Q1\r\n+ a\r\n\r\n\r\n   \r\nQ2\r\n= 5");
  EXPECT_EQ(prepared.normalised, u"Q1\r\n+ a\r\n\r\nQ2\r\n= 5\r\n");
  EXPECT_EQ(prepared.blocks, (Blocks{u"Q1\r\n+ a", u"Q2\r\n= 5"}));

  // A line of blanks separates like an empty line, several like one.
  EXPECT_EQ(PrepareTaskText(u"A\r\n+ a\r\n \t \r\nB\r\n= 1").blocks,
            (Blocks{u"A\r\n+ a", u"B\r\n= 1"}));
  EXPECT_EQ(PrepareTaskText(u"A\r\n\t\r\n \r\n\r\n  \r\nB").blocks, (Blocks{u"A", u"B"}));
  EXPECT_EQ(PrepareTaskText(u"A\r\n\r\nB\r\n\r\nC").blocks, (Blocks{u"A", u"B", u"C"}));
}

TEST(PrepareTaskTextTest, TrimsInnerLinesButNotTheOuterEdges) {
  PreparedText prepared =
      PrepareTaskText(u"  Какой месяц идет после марта?  \r\n  + апрель  \r\n  - июнь  ");
  EXPECT_EQ(prepared.normalised, u"Какой месяц идет после марта?  \r\n+ апрель\r\n  - июнь\r\n");
  EXPECT_EQ(prepared.blocks, (Blocks{u"Какой месяц идет после марта?  \r\n+ апрель\r\n  - июнь"}));

  EXPECT_EQ(PrepareTaskText(u" \t one line \r\n ").normalised, u"one line\r\n");
  EXPECT_EQ(PrepareTaskText(u" \t one line \r\n ").blocks, (Blocks{u"one line"}));
  EXPECT_EQ(PrepareTaskText(u"a \r\n b").normalised, u"a \r\n b\r\n");
  // Lines move to the front as they shrink; the last one gains its CR LF.
  EXPECT_EQ(PrepareTaskText(u"  A  \r\n   b  \r\n\r\n \r\n  c").normalised,
            u"A  \r\nb\r\n\r\n  c\r\n");
  EXPECT_EQ(PrepareTaskText(u"a\nb\nc").normalised, u"a\r\nb\r\nc\r\n");
}

TEST(PrepareTaskTextTest, TakesLoneCrAndLfAsLineBreaks) {
  PreparedText prepared = PrepareTaskText(u"Q1\r+ a\n\n\r\rQ2\n = 5 \rx");
  EXPECT_EQ(prepared.normalised, u"Q1\r\n+ a\r\n\r\nQ2\r\n= 5\r\nx\r\n");
  EXPECT_EQ(prepared.blocks, (Blocks{u"Q1\r\n+ a", u"Q2\r\n= 5\r\nx"}));
}

TEST(PrepareTaskTextTest, BlankTextGivesNoBlocks) {
  EXPECT_EQ(PrepareTaskText(u"").normalised, u"");
  EXPECT_EQ(PrepareTaskText(u" \r\n\t").blocks, Blocks{});
}

TEST(PrepareTaskTextTest, HandlesAMillionBlankLines) {
  std::u16string text = u"Q1\r\n+ a";
  for (int i = 0; i < 1000000; ++i) text += i % 2 ? u"\r\n" : u"\r\n  ";
  text += u"\r\nQ2\r\n= 5";
  PreparedText prepared = PrepareTaskText(text);
  EXPECT_EQ(prepared.normalised, u"Q1\r\n+ a\r\n\r\nQ2\r\n= 5\r\n");
  EXPECT_EQ(prepared.blocks, (Blocks{u"Q1\r\n+ a", u"Q2\r\n= 5"}));
}

}  // namespace
}  // namespace texttoxml::conversion
