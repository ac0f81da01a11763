#include "check/line_map.h"

#include <gtest/gtest.h>

#include "conversion/task_text.h"
#include "conversion/text.h"

namespace texttoxml::check {
namespace {

using namespace std::string_literals;
using namespace conversion;

TEST(LineMap, CountsEveryKindOfLineBreak) {
  // a CR LF b CR c LF d LF CR e: LF CR is two line breaks.
  const std::u16string_view text = u"a\r\nb\rc\nd\n\re";
  EXPECT_EQ(LineOfOffset(text, 0), 1u);
  EXPECT_EQ(LineOfOffset(text, 1), 1u);  // the CR of CR LF
  EXPECT_EQ(LineOfOffset(text, 2), 1u);  // its LF
  EXPECT_EQ(LineOfOffset(text, 3), 2u);
  EXPECT_EQ(LineOfOffset(text, 5), 3u);
  EXPECT_EQ(LineOfOffset(text, 7), 4u);
  EXPECT_EQ(LineOfOffset(text, 9), 5u);  // the CR after LF: an empty line
  EXPECT_EQ(LineOfOffset(text, 10), 6u);
  EXPECT_EQ(LineOfOffset(text, 1000), 6u);
  EXPECT_EQ(LineOfOffset(u"", 0), 1u);
}

TEST(LineMap, FindsPreparedLinesAmongBlankOnes) {
  const LineMap map(u"\n  \nQ\n\t\n \nA\n  B  \n\x01\n");
  EXPECT_EQ(map.TextLineCount(), 3u);
  EXPECT_EQ(map.LineOfPreparedLine(0), 3u);
  EXPECT_EQ(map.LineOfPreparedLine(1), 6u);
  EXPECT_EQ(map.LineOfPreparedLine(2), 7u);

  // A U+0000 ends the text for the preparation, and so for the lines.
  const LineMap cut(u"Q\n\0A\nB"s);
  EXPECT_EQ(cut.TextLineCount(), 1u);
  EXPECT_EQ(LineOfOffset(u"Q\n\0A\nB"s, 2), 2u);
}

// The map rests on the preparation keeping every line that holds text, and
// only those; texts that stress the trimming and collapsing keep it true.
TEST(LineMap, MatchesTheLinesThePreparationKeeps) {
  for (std::u16string_view text :
       {std::u16string_view(u"Q?\r\n+ a\r\n\r\n\r\n   \r\nQ2\r\n= 5"),
        std::u16string_view(u"  Q  \n\n\n\n+ a\n  \n- b  "),
        std::u16string_view(u"\x01\x02Q\r\r\r+ a\n\r\n\rQ\n\x03\n- b\x04"),
        std::u16string_view(u"one line"), std::u16string_view(u"\t\n\tQ\n\t- a\n\t")}) {
    const std::u16string memo = MemoText(std::u16string(text));
    std::size_t preparedLines = 0;
    for (const auto& block : PrepareTaskText(memo).blocks) {
      preparedLines += SplitLineViews(block).size();
    }
    EXPECT_EQ(LineMap(text).TextLineCount(), preparedLines);
  }
}

}  // namespace
}  // namespace texttoxml::check
