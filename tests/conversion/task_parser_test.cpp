#include "conversion/task_parser.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "conversion/task_text.h"
#include "platform/utf.h"
#include "test_support.h"

namespace texttoxml::conversion {
namespace {

using texttoxml::testing::TempDir;

// The lines of one block, joined as the text preparation leaves them.
std::u16string Block(std::initializer_list<std::u16string_view> lines) {
  std::u16string block;
  for (std::u16string_view line : lines) {
    if (!block.empty()) block += u"\r\n";
    block += line;
  }
  return block;
}

std::vector<std::u16string> Texts(const ParsedTask& task) {
  std::vector<std::u16string> texts;
  for (const auto& item : task.answerItems) texts.emplace_back(item.text);
  return texts;
}

std::vector<std::int32_t> Marks(const ParsedTask& task) {
  std::vector<std::int32_t> marks;
  for (const auto& item : task.answerItems) marks.push_back(item.mark);
  return marks;
}

using Texts_ = std::vector<std::u16string>;
using Marks_ = std::vector<std::int32_t>;

ParsedTask Parse(std::initializer_list<std::u16string_view> lines, const std::string& dir = "") {
  return ParseTaskBlock(Block(lines), dir);
}

// The sample text that the window shows as the syntax documentation.
constexpr std::u16string_view kSampleText =
    u"Какой месяц идет после марта?\r\n- январь\r\n+ апрель\r\n- июнь\r\n"
    u"- ноябрь\r\n- август\r\n\r\n"
    u"Перечислите весенние месяцы.\r\n- август\r\n+ май\r\n- декабрь\r\n"
    u"+ апрель\r\n+ март\r\n\r\n"
    u"Укажите порядок следования всех 5 вариантов ответа:\r\n1. январь\r\n"
    u"3. март\r\n5. май\r\n2. февраль\r\n4. апрель\r\n\r\n"
    u"Каким по счету идет месяц май?\r\n= 5\r\n\r\n"
    u"Длина сторон прямоугольника равна 3 и 4 см.\r\n"
    u"Найдите площадь и периметр прямоугольника.\r\n= {площадь:} 12\r\n"
    u"= {периметр:} 14\r\n\r\n"
    u"Какой месяц идет после августа?\r\n= сентябрь\r\n\r\n"
    u"На портрете изображен Александр Сергеевич...\r\n[Pushkin.jpg]\r\n"
    u"= Пушкин\r\n\r\n"
    u"Какая формула описывает закон Ома?\r\n+[formula1.png]\r\n"
    u"-[formula2.png]\r\n-[formula3.png]";

std::vector<ParsedTask> ParseSample(const std::string& dir) {
  std::vector<ParsedTask> tasks;
  for (const auto& block : PrepareTaskText(std::u16string(kSampleText)).blocks) {
    tasks.push_back(ParseTaskBlock(block, dir));
  }
  return tasks;
}

// What does not depend on the picture files.
void ExpectSampleTasks(const std::vector<ParsedTask>& tasks) {
  ASSERT_EQ(tasks.size(), 8u);
  EXPECT_EQ(tasks[0].kind, TaskKind::ChoiceSingle);
  EXPECT_EQ(tasks[0].question, u"Какой месяц идет после марта?");
  EXPECT_EQ(Texts(tasks[0]), (Texts_{u"январь", u"апрель", u"июнь", u"ноябрь", u"август"}));
  EXPECT_EQ(Marks(tasks[0]), (Marks_{0, 1, 0, 0, 0}));

  EXPECT_EQ(tasks[1].kind, TaskKind::ChoiceMultiple);
  EXPECT_EQ(tasks[1].question, u"Перечислите весенние месяцы.");
  EXPECT_EQ(Texts(tasks[1]), (Texts_{u"август", u"май", u"декабрь", u"апрель", u"март"}));
  EXPECT_EQ(Marks(tasks[1]), (Marks_{0, 1, 0, 1, 1}));

  EXPECT_EQ(tasks[2].kind, TaskKind::ChoiceOrder);
  EXPECT_EQ(tasks[2].question, u"Укажите порядок следования всех 5 вариантов ответа:");
  EXPECT_EQ(Texts(tasks[2]), (Texts_{u"январь", u"март", u"май", u"февраль", u"апрель"}));
  EXPECT_EQ(Marks(tasks[2]), (Marks_{1, 3, 5, 2, 4}));

  EXPECT_EQ(tasks[3].kind, TaskKind::EnterNum);
  EXPECT_EQ(tasks[3].question, u"Каким по счету идет месяц май?");
  ASSERT_EQ(tasks[3].answerItems.size(), 1u);
  EXPECT_EQ(tasks[3].answerItems[0].text, u"5");
  EXPECT_EQ(tasks[3].answerItems[0].Answer(), u"5");
  EXPECT_FALSE(tasks[3].answerItems[0].Caption());

  EXPECT_EQ(tasks[4].kind, TaskKind::EnterNum);
  EXPECT_EQ(tasks[4].question,
            u"Длина сторон прямоугольника равна 3 и 4 см.\r\n"
            u"Найдите площадь и периметр прямоугольника.");
  ASSERT_EQ(tasks[4].answerItems.size(), 2u);
  EXPECT_EQ(tasks[4].answerItems[0].text, u"{площадь:} 12");
  EXPECT_EQ(tasks[4].answerItems[0].Caption(), u"площадь:");
  EXPECT_EQ(tasks[4].answerItems[0].Answer(), u"12");
  EXPECT_EQ(tasks[4].answerItems[1].Caption(), u"периметр:");
  EXPECT_EQ(tasks[4].answerItems[1].Answer(), u"14");

  EXPECT_EQ(tasks[5].kind, TaskKind::EnterText);
  EXPECT_EQ(tasks[5].question, u"Какой месяц идет после августа?");
  ASSERT_EQ(tasks[5].answerItems.size(), 1u);
  EXPECT_EQ(tasks[5].answerItems[0].Answer(), u"сентябрь");

  EXPECT_EQ(tasks[6].kind, TaskKind::EnterText);
  ASSERT_EQ(tasks[6].answerItems.size(), 1u);
  EXPECT_EQ(tasks[6].answerItems[0].Answer(), u"Пушкин");
  EXPECT_FALSE(tasks[6].answerItems[0].Caption());

  EXPECT_EQ(tasks[7].kind, TaskKind::ChoiceSingle);
  EXPECT_EQ(tasks[7].question, u"Какая формула описывает закон Ома?");
  EXPECT_EQ(Texts(tasks[7]), (Texts_{u"[formula1.png]", u"[formula2.png]", u"[formula3.png]"}));
  EXPECT_EQ(Marks(tasks[7]), (Marks_{1, 0, 0}));
}

TEST(ParseTaskBlockTest, SampleTextWithoutPictureFiles) {
  TempDir dir;
  std::vector<ParsedTask> tasks = ParseSample(dir.Path());
  ExpectSampleTasks(tasks);
  ASSERT_EQ(tasks.size(), 8u);
  EXPECT_EQ(tasks[6].question, u"На портрете изображен Александр Сергеевич...\r\n[Pushkin.jpg]");
  EXPECT_EQ(tasks[6].questionPicture, "");
  for (const std::string& path : tasks[7].variantPictures) EXPECT_EQ(path, "");
}

TEST(ParseTaskBlockTest, SampleTextWithPictureFiles) {
  TempDir dir;
  for (const char* name : {"Pushkin.jpg", "formula1.png", "formula2.png", "formula3.png"}) {
    dir.Write(name, "picture");
  }
  std::vector<ParsedTask> tasks = ParseSample(dir.Path());
  ExpectSampleTasks(tasks);
  ASSERT_EQ(tasks.size(), 8u);
  EXPECT_EQ(tasks[6].question, u"На портрете изображен Александр Сергеевич...");
  EXPECT_EQ(tasks[6].questionPicture, dir.Path() + "/Pushkin.jpg");
  ASSERT_EQ(tasks[7].answerItems.size(), 3u);
  EXPECT_EQ(tasks[7].PictureOf(0), dir.Path() + "/formula1.png");
  EXPECT_EQ(tasks[7].PictureOf(2), dir.Path() + "/formula3.png");
  EXPECT_EQ(tasks[0].questionPicture, "");
}

TEST(ParseTaskBlockTest, FirstMarkerLineEndsTheQuestion) {
  // A question starting with a digit is already an answer line.
  ParsedTask task = Parse({u"Вопрос", u"2 + 2 = ?", u"+ 4", u"- 5"});
  EXPECT_EQ(task.kind, TaskKind::ChoiceOrder);
  EXPECT_EQ(task.question, u"Вопрос");
  EXPECT_EQ(Texts(task), (Texts_{u"+ 2 = ?", u"4", u"5"}));
  EXPECT_EQ(Marks(task), (Marks_{2, -1, -1}));

  EXPECT_EQ(Parse({u"+ a", u"- b"}).kind, TaskKind::NoTask);
  EXPECT_EQ(Parse({u"Only a question", u"0 is no marker"}).kind, TaskKind::NoTask);
  ParsedTask empty = Parse({u"+ a"});
  EXPECT_EQ(empty.kind, TaskKind::NoTask);
  EXPECT_TRUE(empty.answerItems.empty());
}

TEST(ParseTaskBlockTest, DashesAfterTheFirstLineAreMinusMarkers) {
  ParsedTask dialogue = Parse({u"Кто сказал:", u"\u2014 Карету мне!", u"+ Чацкий"});
  EXPECT_EQ(dialogue.kind, TaskKind::ChoiceSingle);
  EXPECT_EQ(dialogue.question, u"Кто сказал:");
  EXPECT_EQ(Texts(dialogue), (Texts_{u"Карету мне!", u"Чацкий"}));
  EXPECT_EQ(Marks(dialogue), (Marks_{0, 1}));

  ParsedTask dashes = Parse({u"Q", u"\u2012 a", u"\u2013 b", u"+ c"});
  EXPECT_EQ(Texts(dashes), (Texts_{u"a", u"b", u"c"}));

  ParsedTask leading = Parse({u"\u2013 Q", u"+ a"});
  EXPECT_EQ(leading.kind, TaskKind::ChoiceSingle);
  EXPECT_EQ(leading.question, u"\u2013 Q");
  // A dash inside a line stays.
  EXPECT_EQ(Parse({u"Q", u"+ a \u2014 b"}).answerItems[0].text, u"a \u2014 b");
}

TEST(ParseTaskBlockTest, ContinuationLinesAndQuestionJoining) {
  ParsedTask task =
      Parse({u"First line", u"second?", u"third.", u"last", u"+  a  b", u"  more  text ", u"- c"});
  EXPECT_EQ(task.question, u"First line second?\r\nthird.\r\nlast");
  EXPECT_EQ(Texts(task), (Texts_{u"a  b   more  text", u"c"}));
  EXPECT_EQ(Parse({u"Wow!", u"Really", u"= 1"}).question, u"Wow!\r\nReally");
}

TEST(ParseTaskBlockTest, ChoiceKindsAndMarks) {
  ParsedTask none = Parse({u"Q", u"- a", u"- b"});
  EXPECT_EQ(none.kind, TaskKind::ChoiceSingle);
  EXPECT_EQ(Marks(none), (Marks_{0, 0}));

  ParsedTask mixed = Parse({u"Q", u"- a", u"= b", u"7 c", u"+d", u"1"});
  EXPECT_EQ(mixed.kind, TaskKind::ChoiceSingle);
  EXPECT_EQ(Texts(mixed), (Texts_{u"a", u"b", u"c", u"d", u""}));
  EXPECT_EQ(Marks(mixed), (Marks_{0, 0, 0, 1, 0}));

  EXPECT_EQ(Parse({u"Q", u"+ a", u"+ b"}).kind, TaskKind::ChoiceMultiple);
  for (const auto& item : Parse({u"Q", u"+ a", u"- b"}).answerItems) {
    EXPECT_FALSE(item.Caption());
    EXPECT_EQ(item.Answer(), u"");
  }
}

TEST(ParseTaskBlockTest, OrderNumbersAndTheirSeparators) {
  ParsedTask task = Parse({u"Q", u"1) a", u"2.b", u"3 c", u"4 . d", u"5..e"});
  EXPECT_EQ(task.kind, TaskKind::ChoiceOrder);
  EXPECT_EQ(Texts(task), (Texts_{u"a", u"b", u"c", u"d", u".e"}));
  EXPECT_EQ(Marks(task), (Marks_{1, 2, 3, 4, 5}));

  ParsedTask invalid = Parse({u"Q", u"1 a", u"+ b", u"- c", u"= d", u"7 e", u"10 f"});
  EXPECT_EQ(Marks(invalid), (Marks_{1, -1, -1, -1, -1, -1}));
  EXPECT_EQ(Texts(invalid), (Texts_{u"a", u"b", u"c", u"d", u"e", u"f"}));

  ParsedTask ten = Parse({u"Q", u"9", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"10) last"});
  EXPECT_EQ(Marks(ten), (Marks_{9, 1, 2, 3, 4, 5, 6, 7, 8, 10}));
  EXPECT_EQ(ten.answerItems.back().text, u"last");
  EXPECT_EQ(ten.answerItems.front().text, u"");
}

TEST(ParseTaskBlockTest, EnterCaptionsAndAnswers) {
  ParsedTask task = Parse({u"Q", u"={}12", u"= {x}", u"= {y 3", u"= { c } 4 2"});
  EXPECT_EQ(task.kind, TaskKind::EnterText);
  ASSERT_EQ(task.answerItems.size(), 4u);
  EXPECT_EQ(task.answerItems[0].Caption(), u"");
  EXPECT_EQ(task.answerItems[0].Answer(), u"12");
  EXPECT_FALSE(task.answerItems[1].Caption());
  EXPECT_EQ(task.answerItems[1].Answer(), u"{x}");
  EXPECT_FALSE(task.answerItems[2].Caption());
  EXPECT_EQ(task.answerItems[2].Answer(), u"{y 3");
  EXPECT_EQ(task.answerItems[3].Caption(), u"c");
  EXPECT_EQ(task.answerItems[3].Answer(), u"4 2");
  EXPECT_EQ(task.answerItems[3].text, u"{ c } 4 2");
  for (const auto& item : task.answerItems) EXPECT_EQ(item.mark, 0);
  EXPECT_TRUE(task.variantPictures.empty());

  EXPECT_EQ(Parse({u"Q", u"= 0x1F", u"= -5", u"= {n:} +007"}).kind, TaskKind::EnterNum);
  EXPECT_EQ(Parse({u"Q", u"= 5", u"= 1.5"}).kind, TaskKind::EnterText);
  EXPECT_EQ(Parse({u"Q", u"= 5", u"= five"}).kind, TaskKind::EnterText);
  EXPECT_EQ(Parse({u"Q", u"= {}"}).kind, TaskKind::EnterText);
  // Any marker after the first "=" is removed like the "=".
  EXPECT_EQ(Parse({u"Q", u"= 1", u"+2"}).answerItems[1].Answer(), u"2");
}

TEST(ParseTaskBlockTest, QuestionPictureLines) {
  TempDir dir;
  dir.Write("pic.png", "x");
  dir.Write("@at.png", "x");
  const std::string pic = dir.Path() + "/pic.png";

  ParsedTask spaced = Parse({u"Q", u"[  pic.png ]", u"= a"}, dir.Path());
  EXPECT_EQ(spaced.questionPicture, pic);
  EXPECT_EQ(spaced.question, u"Q");
  EXPECT_EQ(Parse({u"Q", u"@   pic.png", u"= a"}, dir.Path()).questionPicture, pic);
  EXPECT_EQ(Parse({u"Q", u"[@pic.png]", u"= a"}, dir.Path()).questionPicture, pic);
  EXPECT_EQ(Parse({u"Q", u"[@at.png]", u"= a"}, dir.Path()).questionPicture,
            dir.Path() + "/@at.png");
  // When both exist, the name without the "@" wins.
  dir.Write("@pic.png", "x");
  EXPECT_EQ(Parse({u"Q", u"[@pic.png]", u"= a"}, dir.Path()).questionPicture, pic);
  EXPECT_EQ(Parse({u"Q", u"[pic.png]", u"Q2", u"= a"}, dir.Path()).questionPicture, "");

  ParsedTask trailing = Parse({u"Q", u"[pic.png] see", u"= a"}, dir.Path());
  EXPECT_EQ(trailing.questionPicture, "");
  EXPECT_EQ(trailing.question, u"Q [pic.png] see");

  ParsedTask missing = Parse({u"Look.", u"[nothing.png]", u"= a"}, dir.Path());
  EXPECT_EQ(missing.questionPicture, "");
  EXPECT_EQ(missing.question, u"Look.\r\n[nothing.png]");

  EXPECT_EQ(Parse({u"[pic.png]", u"= a"}, dir.Path()).kind, TaskKind::NoTask);
  EXPECT_EQ(Parse({u"[nothing.png]", u"= a"}, dir.Path()).kind, TaskKind::EnterText);
}

TEST(ParseTaskBlockTest, VariantPictures) {
  TempDir dir;
  dir.Write("pic.png", "x");
  const std::string pic = dir.Path() + "/pic.png";
  ParsedTask task =
      Parse({u"Q", u"+[ pic.png ]", u"-[pic.png] x", u"-@pic.png", u"-[none.png]"}, dir.Path());
  EXPECT_EQ(task.PictureOf(0), pic);
  EXPECT_EQ(task.answerItems[0].text, u"[ pic.png ]");
  EXPECT_EQ(task.PictureOf(1), "");
  EXPECT_EQ(task.PictureOf(2), "");
  EXPECT_EQ(task.PictureOf(3), "");

  EXPECT_EQ(Parse({u"Q", u"2 [pic.png]", u"1 a"}, dir.Path()).PictureOf(0), pic);
  EXPECT_EQ(Parse({u"Q", u"= [pic.png]"}, dir.Path()).PictureOf(0), "");
}

TEST(ResolvePicturePathTest, FindsRegularFilesByNameThenInDir) {
  TempDir dir;
  const std::string pic = dir.Write("картинка.png", "x");
  std::filesystem::create_directory(dir.File("folder"));

  EXPECT_EQ(ResolvePicturePath(u"картинка.png", dir.Path()), pic);
  EXPECT_EQ(ResolvePicturePath(u"картинка.png", dir.Path() + "/"), pic);
  EXPECT_EQ(ResolvePicturePath(u"картинка.png", ""), "");
  EXPECT_EQ(ResolvePicturePath(u"missing.png", dir.Path()), "");
  EXPECT_EQ(ResolvePicturePath(u"", dir.Path()), "");
  // Folders and devices are not pictures: reading them would fail or never end.
  EXPECT_EQ(ResolvePicturePath(u"folder", dir.Path()), "");
  EXPECT_EQ(ResolvePicturePath(u"/dev/zero", dir.Path()), "");

  ParsedTask task = ParseTaskBlock(u"Q\r\n[folder]\r\n+[/dev/zero]", dir.Path());
  EXPECT_EQ(task.questionPicture, "");
  EXPECT_EQ(task.question, u"Q [folder]");
  EXPECT_EQ(task.PictureOf(0), "");
}

TEST(ResolvePicturePathTest, TriesTheNameAsWrittenFirst) {
  TempDir dir;
  TempDir other;
  const std::string inOther = other.Write("pic.png", "x");
  dir.Write("pic.png", "x");
  const std::u16string absolute = platform::Utf8ToUtf16(inOther).text;
  EXPECT_EQ(ResolvePicturePath(absolute, dir.Path()), inOther);

  // A relative name is looked for in the current folder, then after the
  // separator when no folder is known.
  const auto saved = std::filesystem::current_path();
  std::filesystem::current_path(other.Path());
  EXPECT_EQ(ResolvePicturePath(u"pic.png", dir.Path()), "pic.png");
  std::filesystem::current_path(dir.Path());
  const std::u16string fromRoot = absolute.substr(1);
  EXPECT_EQ(ResolvePicturePath(fromRoot, ""), inOther);
  std::filesystem::current_path(saved);
}

TEST(IsIntegerTextTest, DecimalNumbersWithinThirtyTwoBits) {
  for (std::u16string_view text :
       {u"0", u"5", u"-5", u"+5", u"  12", u"007", u"2147483647", u"-2147483648", u"+2147483647",
        u"0000000000002147483647", u"-0"}) {
    EXPECT_TRUE(IsIntegerText(text)) << std::string(text.begin(), text.end());
  }
  for (std::u16string_view text :
       {u"", u"   ", u"-", u"+", u"2147483648", u"-2147483649", u"99999999999", u"1.5", u"1,5",
        u"- 5", u"5 ", u"\t5", u"five", u"5a", u"--5", u"+-5", u"\uFF15"}) {
    EXPECT_FALSE(IsIntegerText(text)) << std::string(text.begin(), text.end());
  }
}

TEST(IsIntegerTextTest, HexadecimalNumbersOfUpToEightDigits) {
  for (std::u16string_view text : {u"0x1F", u"0XfF", u"$ff", u"x10", u"X0", u"-$1", u"+0x7FFFFFFF",
                                   u"$FFFFFFFF", u"-0xFFFFFFFF", u"0x000000000001", u" $a"}) {
    EXPECT_TRUE(IsIntegerText(text)) << std::string(text.begin(), text.end());
  }
  for (std::u16string_view text :
       {u"0x", u"$", u"x", u"0x1FFFFFFFF", u"0xG", u"$ 1", u"0x1 ", u"0y1", u"00x1", u"1F"}) {
    EXPECT_FALSE(IsIntegerText(text)) << std::string(text.begin(), text.end());
  }
}

}  // namespace
}  // namespace texttoxml::conversion
