#include "app/window_texts.h"
#include "app/display_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "conversion/task_parser.h"
#include "conversion/task_text.h"

namespace texttoxml::app {
namespace {

using conversion::TaskKind;

TEST(DisplayText, ShowsBadBytesAsReplacementCharacters) {
  EXPECT_EQ(DisplayText("/tmp/задания.txt"), u"/tmp/задания.txt");
  EXPECT_EQ(DisplayText("a\xFF"
                        "b\xC3"),
            u"a\uFFFDb\uFFFD");
  EXPECT_EQ(DisplayText("\xE0\x80"), u"\uFFFD\uFFFD");
  EXPECT_EQ(DisplayText(""), u"");
}

// The sample tab documents the task syntax by example, so it has to convert
// to one task of each kind the way the tab's text promises.
TEST(WindowTexts, SampleConvertsToTheTasksItShows) {
  std::u16string text;
  for (std::u16string_view line : kSampleLines) text.append(line).append(u"\r\n");
  const conversion::PreparedText prepared = conversion::PrepareTaskText(text);
  std::vector<TaskKind> kinds;
  for (std::u16string_view block : prepared.blocks) {
    kinds.push_back(conversion::ParseTaskBlock(block, "").kind);
  }
  EXPECT_EQ(kinds, (std::vector<TaskKind>{TaskKind::ChoiceSingle, TaskKind::ChoiceMultiple,
                                          TaskKind::ChoiceOrder, TaskKind::EnterNum,
                                          TaskKind::EnterNum, TaskKind::EnterText,
                                          TaskKind::EnterText, TaskKind::ChoiceSingle}));
  EXPECT_EQ(prepared.normalised, text);
}

TEST(WindowTexts, DescriptionKeepsTheSpacesBetweenSentencePieces) {
  const auto endsWithSpace = [](std::u16string_view line) {
    return !line.empty() && line.back() == u' ';
  };
  EXPECT_EQ(std::count_if(kDescriptionLines.begin(), kDescriptionLines.end(), endsWithSpace), 8);
  EXPECT_TRUE(endsWithSpace(kDescriptionLines[8]));
  EXPECT_EQ(kDescriptionLines[18],
            u"Импорт - Открыть из  XML и откройте файл, полученный с помощью данной утилиты.");
}

}  // namespace
}  // namespace texttoxml::app
