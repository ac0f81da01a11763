#include "check/diagnostics.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "conversion/task_text.h"
#include "test_support.h"

namespace texttoxml::check {
namespace {

using namespace std::string_literals;
using namespace conversion;
using texttoxml::testing::TempDir;

const std::string kExamples = std::string(TEXTTOXML_SOURCE_DIR) + "/examples";

std::string Listing(const Diagnosis& diagnosis) {
  std::string listing;
  for (const Finding& f : diagnosis.findings) {
    listing += std::to_string(f.line) + ": " + std::string(SeverityName(f.severity)) + ": " +
               f.message + "\n";
  }
  return listing;
}

// A finding on `line` whose message holds `fragment`.
::testing::AssertionResult Reports(const Diagnosis& diagnosis, std::size_t line,
                                   std::string_view fragment) {
  for (const Finding& f : diagnosis.findings) {
    if (f.line == line && f.message.find(fragment) != std::string::npos) {
      return ::testing::AssertionSuccess();
    }
  }
  return ::testing::AssertionFailure()
         << "no finding on line " << line << " with \"" << fragment << "\"; the findings:\n"
         << Listing(diagnosis);
}

// Findings on the lines from `first` to `last`.
std::size_t FindingsWithin(const Diagnosis& diagnosis, std::size_t first, std::size_t last) {
  std::size_t count = 0;
  for (const Finding& f : diagnosis.findings) count += f.line >= first && f.line <= last;
  return count;
}

// A folder with a good PNG, a good JPEG and whatever else a test adds.
struct PictureDir {
  PictureDir() {
    std::filesystem::copy_file(kExamples + "/formula1.png", dir.File("ok.png"));
    std::filesystem::copy_file(kExamples + "/Pushkin.jpg", dir.File("ok.jpg"));
  }
  TempDir dir;
};

TEST(Diagnostics, FindsNothingInTheSampleWithItsPictures) {
  const Diagnosis d = Diagnose(LoadTaskText(kExamples + "/sample.txt", false), kExamples);
  EXPECT_TRUE(d.findings.empty()) << Listing(d);
  EXPECT_EQ(d.taskCount, 8u);
  EXPECT_EQ(d.picturesFound, 4u);
  EXPECT_EQ(d.picturesMissing, 0u);
  EXPECT_EQ(SummaryText(d),
            "8 tasks (2 single choice, 1 multiple choice, 1 ordering, 2 number entry, "
            "2 text entry); pictures: 4 found, 0 missing; 0 warnings, 0 notes");

  // Where the pictures are not found, the four names stay text.
  TempDir elsewhere;
  const Diagnosis missing =
      Diagnose(LoadTaskText(kExamples + "/sample.txt", false), elsewhere.Path());
  EXPECT_EQ(missing.findings.size(), 4u) << Listing(missing);
  EXPECT_TRUE(Reports(missing, 34,
                      "picture \"Pushkin.jpg\" not found; the line stays in the question text"));
  EXPECT_TRUE(Reports(missing, 38, "picture \"formula1.png\" not found; the answer stays text"));
  EXPECT_TRUE(Reports(missing, 40, "\"formula3.png\" not found"));
  EXPECT_EQ(missing.picturesMissing, 4u);
  EXPECT_EQ(SummaryText(missing).substr(SummaryText(missing).find(';')),
            "; pictures: 0 found, 4 missing; 4 warnings, 0 notes");
}

TEST(Diagnostics, ExplainsBlocksThatAreNoTask) {
  PictureDir pictures;
  const Diagnosis d = Diagnose(
      u"Вопрос без ответа\nещё строка\n\n"  // lines 1-2
      u"5 яблок: сколько?\n+ пять\n\n"      // lines 4-5
      u"[ok.png]\n= 1\n\n"                  // lines 7-8
      u"Нормальный вопрос?\n+ да",          // lines 10-11
      pictures.dir.Path());
  EXPECT_EQ(d.findings.size(), 3u) << Listing(d);
  EXPECT_TRUE(Reports(d, 1, "not a task: no line starts with an answer marker"));
  EXPECT_TRUE(Reports(d, 4,
                      "not a task: the first line starts with \"5\", an answer marker, so there "
                      "is no question; it is written as an empty task; to keep it a question, put "
                      "a no-break space (U+00A0) before the number, or rephrase it"));
  EXPECT_TRUE(Reports(d, 7, "names the picture \"[ok.png]\", so there is no question text"));
  EXPECT_EQ(d.Count(TaskKind::NoTask), 3u);
  EXPECT_EQ(d.Count(TaskKind::ChoiceSingle), 1u);
  EXPECT_EQ(d.picturesFound, 0u);  // a block that is no task embeds nothing
}

TEST(Diagnostics, ReportsAnswersAfterTheTenth) {
  std::u16string eleven = u"Q?\n+ 1";
  for (char16_t c = u'b'; c <= u'k'; ++c) eleven += std::u16string(u"\n- ") + c;
  const Diagnosis d = Diagnose(eleven, "");
  EXPECT_EQ(d.findings.size(), 1u) << Listing(d);
  EXPECT_TRUE(Reports(d, 12, "the task has 11 answers; the ones after the tenth"));

  const std::u16string ten = eleven.substr(0, eleven.rfind(u'\n'));
  EXPECT_TRUE(Diagnose(ten, "").findings.empty());
}

TEST(Diagnostics, ReportsPictureNamesThatStayText) {
  PictureDir pictures;
  const Diagnosis d = Diagnose(
      u"Первый?\n[нет.png]\n+ a\n\n"           // lines 1-3
      u"Второй?\n@ нет.jpg\n+ a\n\n"           // lines 5-7
      u"Третий?\n+[нет.png]\n-[ok.png]\n\n"    // lines 9-11
      u"[ok.png]\nЧетвёртый?\n[ok.jpg]\n+ a",  // lines 13-16
      pictures.dir.Path());
  EXPECT_TRUE(Reports(d, 2, "picture \"нет.png\" not found; the line stays in the question text"));
  EXPECT_TRUE(Reports(d, 6, "picture \"@ нет.jpg\" not found"));
  EXPECT_TRUE(Reports(d, 10, "picture \"нет.png\" not found; the answer stays text"));
  EXPECT_TRUE(Reports(d, 13, "\"[ok.png]\" stays question text: only the line right before"));
  EXPECT_EQ(FindingsWithin(d, 11, 11) + FindingsWithin(d, 15, 15), 0u) << Listing(d);
  EXPECT_EQ(d.Count(Severity::Warning), 3u);
  EXPECT_EQ(d.Count(Severity::Note), 1u);
  EXPECT_EQ(d.picturesFound, 2u);
  EXPECT_EQ(d.picturesMissing, 3u);
}

TEST(Diagnostics, ReportsPictureVariantsTheConversionFailsOn) {
  PictureDir pictures;
  pictures.dir.Write("notes.txt", "any text");
  pictures.dir.Write("broken.png", "not a PNG at all");
  const std::u16string text = u"Q?\n+[ok.png]\n-[notes.txt]\n-[broken.png]\n-[ok.jpg]";
  const Diagnosis d = Diagnose(text, pictures.dir.Path());
  EXPECT_EQ(d.findings.size(), 2u) << Listing(d);
  EXPECT_TRUE(Reports(
      d, 3,
      "no picture kind takes the extension \".txt\" of picture \"notes.txt\" (they take .wmf, "
      ".emf, .ico, .tiff, .tif, .bmp, .jpeg, .jpg, .png, .gif): converting will fail"));
  EXPECT_TRUE(Reports(d, 4, "picture \"broken.png\" cannot be read ("));

  // A GIF that loads but cannot be written does not fail the conversion.
  pictures.dir.Write("frameless.gif", std::string("GIF89a\x01\0\x01\0\0\0\0\x3B", 14));
  const Diagnosis gif = Diagnose(u"Q?\n+[frameless.gif]\n- b", pictures.dir.Path());
  EXPECT_EQ(Listing(gif),
            "2: warning: picture \"frameless.gif\" cannot be written (Cannot save "
            "empty GIF): the conversion succeeds but stores the 32 x 32 invalid "
            "picture instead of this one\n");
  EXPECT_EQ(d.picturesFound, 4u);

  // Without reading the pictures only the extension is judged.
  DiagnoseOptions options;
  options.readPictures = false;
  const Diagnosis unread = Diagnose(text, pictures.dir.Path(), options);
  EXPECT_EQ(unread.findings.size(), 1u) << Listing(unread);
  EXPECT_TRUE(Reports(unread, 3, "\".txt\""));
}

TEST(Diagnostics, ReportsOrderPositions) {
  const Diagnosis d = Diagnose(
      u"Порядок?\n1. a\n1) b\n7 c\n+ d\n\n"                           // lines 1-5: four answers
      u"Верно?\n2. b\n1. a\n3. c\n\n"                                 // lines 7-10
      u"Десять?\n1 a\n2 b\n3 c\n4 d\n5 e\n6 f\n7 g\n8 h\n9 i\n10 j",  // lines 12-22
      "");
  EXPECT_EQ(d.findings.size(), 4u) << Listing(d);
  EXPECT_TRUE(Reports(d, 2, "positions 2, 3, 4 are given to no answer"));
  EXPECT_TRUE(Reports(d, 3, "position 1 is given twice: also on line 2"));
  EXPECT_TRUE(Reports(d, 4, "position 7 is beyond the task's 4 answers; it is written as -1"));
  EXPECT_TRUE(Reports(d, 5, "starts with \"+\" instead of its position; it is written as -1"));

  const Diagnosis short10 = Diagnose(u"Q:\n1 a\n10 b", "");
  EXPECT_TRUE(Reports(short10, 3, "position 10 is beyond the task's 2 answers"));
  EXPECT_TRUE(Reports(short10, 2, "position 2 is given to no answer"));
}

TEST(Diagnostics, ReportsChoiceTasksWithoutACorrectAnswer) {
  std::u16string late = u"Поздно?";  // line 9, answers on lines 10 to 20
  for (int i = 1; i <= 10; ++i) late += u"\n- x";
  late += u"\n+ y";
  const Diagnosis d = Diagnose(u"Нет верного?\n- a\n- b\n\nВерный?\n- a\n+ b\n\n" + late, "");
  EXPECT_EQ(d.findings.size(), 3u) << Listing(d);
  EXPECT_TRUE(Reports(d, 2, "no answer is marked \"+\": the task has no correct answer"));
  EXPECT_TRUE(Reports(d, 20, "the only answers marked \"+\" come after the tenth"));
  EXPECT_TRUE(Reports(d, 20, "the task has 11 answers"));
  EXPECT_EQ(FindingsWithin(d, 5, 7), 0u);
}

TEST(Diagnostics, ReportsEnterTasksThatOneAnswerMakesText) {
  const Diagnosis d = Diagnose(
      u"Сколько?\n= 5\n= 3,5\n\n"  // lines 1-3
      u"Числа?\n= 5\n= -0x1F\n\n"  // lines 5-7
      u"Слова?\n= раз\n= два\n\n"  // lines 9-11
      u"Дробь?\n= 3,5",            // lines 13-14
      "");
  EXPECT_EQ(d.findings.size(), 1u) << Listing(d);
  EXPECT_TRUE(
      Reports(d, 3, "answer \"3,5\" is not a whole number, so the task takes text answers"));
  EXPECT_EQ(d.Count(TaskKind::EnterNum), 1u);
}

TEST(Diagnostics, ReportsFirstAnswerLinesThatReadLikeTheQuestion) {
  const Diagnosis d = Diagnose(
      u"Сколько будет\n2 + 2 = ?\n- 3\n+ 4\n\n"               // lines 1-4
      u"Кто сказал:\n\u2014 Быть или не быть?\n= Гамлет\n\n"  // lines 6-8
      u"Когда?\n1941 год\n\n"                                 // lines 10-11
      u"Где?\n- Там?\n+ Здесь\n\n"                            // lines 13-15
      u"Расставьте:\n1. a\n2. b",                             // lines 17-19
      "");
  EXPECT_TRUE(Reports(d, 2,
                      "this line starts with \"2\", so it ends the question and decides the "
                      "kind of task, but the next answer starts with \"-\""));
  EXPECT_TRUE(Reports(d, 7, "this line starts with a dash, read as the \"-\" marker"));
  EXPECT_TRUE(Reports(d, 7, "the next answer starts with \"=\""));
  EXPECT_TRUE(Reports(d, 11, "so it makes an ordering task of one answer"));
  EXPECT_TRUE(Reports(d, 14, "yet it ends with \"?\""));
  EXPECT_EQ(FindingsWithin(d, 14, 15), 1u);
  EXPECT_EQ(d.findings[d.findings.size() - 1].line, 14u) << Listing(d);
  EXPECT_EQ(d.Count(Severity::Note), 1u);
}

TEST(Diagnostics, ReportsAnIndentedLastLine) {
  const Diagnosis d = Diagnose(u"Q?\n- a\n   + b", "");
  EXPECT_TRUE(Reports(d, 3,
                      "this last line starts with blanks, so its \"+\" is not read as an answer "
                      "marker: the line continues the line before"));
  EXPECT_TRUE(Reports(d, 2, "no answer is marked"));  // the "+" went with it

  const Diagnosis alone = Diagnose(u"Q?\n+ a\n\n\t= 5", "");
  EXPECT_TRUE(Reports(alone, 4, "its \"=\" is not read as an answer marker"));
  EXPECT_TRUE(Reports(alone, 4, "not a task"));

  EXPECT_TRUE(Diagnose(u"Q?\n- a\n+ b", "").findings.empty());
  EXPECT_TRUE(Diagnose(u"Q?\n+ a\n   и продолжение", "").findings.empty());
}

TEST(Diagnostics, ReportsAU0000ThatCutsTheText) {
  const Diagnosis d = Diagnose(u"Q?\n+ a\n\0Q2?\n+ b"s, "");
  EXPECT_EQ(d.findings.size(), 1u) << Listing(d);
  EXPECT_TRUE(
      Reports(d, 3, "a U+0000 character cuts the text here: everything after it is ignored"));
  EXPECT_EQ(d.taskCount, 1u);

  const Diagnosis midLine = Diagnose(u"Q?\n+ a\0b\n+ c"s, "");
  EXPECT_TRUE(Reports(midLine, 2, "cuts the text"));

  // UTF-16 without a byte order mark, read as single bytes.
  TempDir dir;
  const std::string path = dir.Write("utf16.txt", "Q\0?\0\r\0\n\0+\0 \0a\0"s);
  const Diagnosis utf16 = Diagnose(LoadTaskText(path, false), "");
  EXPECT_TRUE(Reports(utf16, 1, "(is the file UTF-16 without a byte order mark?)"));

  EXPECT_TRUE(Diagnose(u"Q?\n+ a\n\0\0 "s, "").findings.empty());
}

TEST(Diagnostics, ReportsControlCharactersThatReachTheXml) {
  const Diagnosis d = Diagnose(
      u"Вопрос\u000B?\n+ a\u0001b\u0001\n- c\td\n\n"  // lines 1-3
      u"Не\u0002задача\n\n"                           // line 5: written as an empty task
      u"Q\uFFFF?\n= 1\u001F2\n\n"                     // lines 7-8
      u"Q?\n+ e\u0003",                               // lines 10-11: trimmed off the end
      "");
  EXPECT_TRUE(Reports(d, 1, "control character U+000B reaches the XML as it is"));
  EXPECT_TRUE(Reports(d, 2, "control character U+0001 reaches"));
  EXPECT_TRUE(Reports(d, 7, "U+FFFF"));
  EXPECT_TRUE(Reports(d, 8, "U+001F"));
  EXPECT_EQ(FindingsWithin(d, 3, 3), 0u);  // TAB is allowed
  EXPECT_EQ(FindingsWithin(d, 5, 5), 1u);  // only the "not a task" one
  EXPECT_EQ(FindingsWithin(d, 10, 11), 0u) << Listing(d);

  const Diagnosis two = Diagnose(u"Q\u0001\u0002\u0001?\n+ a", "");
  EXPECT_TRUE(Reports(two, 1, "control characters U+0001, U+0002 reach the XML"));
}

TEST(Diagnostics, ReportsAnEmptyQuestionPicture) {
  PictureDir pictures;
  pictures.dir.Write("empty.png", "");
  const std::u16string text = u"Q?\n[empty.png]\n+ a\n\nQ2?\n[ok.png]\n+ a";
  DiagnoseOptions unread;
  unread.readPictures = false;
  for (const DiagnoseOptions& options : {DiagnoseOptions{}, unread}) {
    const Diagnosis d = Diagnose(text, pictures.dir.Path(), options);
    EXPECT_EQ(d.findings.size(), 1u) << Listing(d);
    EXPECT_TRUE(Reports(d, 2,
                        "picture \"empty.png\" is an empty file: the line leaves the question "
                        "text, yet no picture is embedded"));
    EXPECT_EQ(d.picturesFound, 2u);
  }
}

TEST(Diagnostics, CountsLinesOfTheFileAsRead) {
  TempDir dir;
  // A byte order mark, CR LF, and runs of blank and blanks-only lines.
  const std::string bom =
      dir.Write("bom.txt", "\xEF\xBB\xBF\r\n  \r\n\t\r\nQ1?\r\n- a\r\n\r\n \r\n\r\nQ2?\r\n- b");
  std::vector<std::pair<std::size_t, std::size_t>> taskLines;
  DiagnoseOptions told;
  told.onTask = [&taskLines](const TaskReport& task) {
    taskLines.emplace_back(task.firstLine, task.lastLine);
  };
  Diagnosis d = Diagnose(LoadTaskText(bom, false), "", told);
  EXPECT_EQ(d.findings.size(), 2u) << Listing(d);
  EXPECT_TRUE(Reports(d, 5, "no answer is marked"));
  EXPECT_TRUE(Reports(d, 10, "no answer is marked"));
  EXPECT_EQ(taskLines, (std::vector<std::pair<std::size_t, std::size_t>>{{4, 5}, {9, 10}}));

  // Lone CR and lone LF; LF CR is two line breaks.
  const std::string lone = dir.Write("lone.txt", "Q1?\r- a\n\n\rQ2?\n\r- b");
  d = Diagnose(LoadTaskText(lone, false), "");
  EXPECT_EQ(d.findings.size(), 3u) << Listing(d);
  EXPECT_TRUE(Reports(d, 2, "no answer is marked"));
  EXPECT_TRUE(Reports(d, 5, "no line starts with an answer marker"));
  EXPECT_TRUE(Reports(d, 7, "the first line starts with \"-\""));

  // UTF-16 in both byte orders, with their marks.
  const std::u16string text = u"\r\nQ?\r\n- a";
  std::string little = "\xFF\xFE";
  std::string big = "\xFE\xFF";
  for (char16_t c : text) {
    little += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    big += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
  }
  for (const std::string& bytes : {little, big}) {
    d = Diagnose(LoadTaskText(dir.Write("utf16.txt", bytes), false), "");
    EXPECT_EQ(d.findings.size(), 1u) << Listing(d);
    EXPECT_TRUE(Reports(d, 3, "no answer is marked"));
  }
}

TEST(Diagnostics, SortsFindingsByLineAndReportsABlankText) {
  const Diagnosis d = Diagnose(u"Q?\n- a?\n= b\n\nQ?\n1 a\n1 b", "");
  ASSERT_GE(d.findings.size(), 3u) << Listing(d);
  for (std::size_t i = 1; i < d.findings.size(); ++i) {
    EXPECT_LE(d.findings[i - 1].line, d.findings[i].line) << Listing(d);
  }

  const Diagnosis blank = Diagnose(u" \r\n\t\r\n", "");
  EXPECT_TRUE(Reports(blank, 1, "the text is blank: there is nothing to convert"));
  EXPECT_EQ(SummaryText(blank), "0 tasks; pictures: 0 found, 0 missing; 1 warning, 0 notes");
}

// Pictures a text from someone else could use to embed any readable file,
// and a name that two folders answer to.
TEST(Diagnostics, ReportsPicturesFromOutsideTheTextsFolder) {
  TempDir cwd;
  PictureDir text;
  std::filesystem::copy_file(kExamples + "/formula2.png", cwd.File("ok.png"));
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(cwd.Path());
  const std::string up = "../" + std::filesystem::path(text.dir.Path()).filename().string() +
                         "/ok.jpg";
  const std::u16string upName(up.begin(), up.end());  // the paths are ASCII
  const std::u16string examples(kExamples.begin(), kExamples.end());
  const Diagnosis d = Diagnose(u"A?\n[" + examples +
                                   u"/Pushkin.jpg]\n+ a\n\n"
                                   u"B?\n[" +
                                   upName +
                                   u"]\n+ b\n\nC?\n[/proc/self/status]\n+ c\n\n"
                                   u"D?\n[ok.png]\n+ d\n\nE?\n[ok.jpg]\n+ e\n\nF?\n+[ok.png]\n- f",
                               text.dir.Path());
  std::filesystem::current_path(before);
  EXPECT_EQ(d.Count(Severity::Warning), 3u) << Listing(d);
  EXPECT_TRUE(Reports(
      d, 2,
      "lies outside the text's folder: the file " + kExamples + "/Pushkin.jpg will be embedded"));
  EXPECT_TRUE(
      Reports(d, 6, "lies outside the text's folder: the file " + up + " will be embedded"));
  // A system file is never embedded, so it is no file "outside" either.
  EXPECT_TRUE(
      Reports(d, 10, "picture \"/proc/self/status\" cannot be read (Picture file \"/proc/"));
  // Found in the current folder although the text's folder has one too; a
  // name found beside the text only (line 18) is no finding.
  EXPECT_EQ(d.Count(Severity::Note), 2u) << Listing(d);
  const std::string shadowed =
      "picture \"ok.png\" exists both in the current folder and beside "
      "the text; the one in the current folder is used";
  EXPECT_TRUE(Reports(d, 14, shadowed));
  EXPECT_TRUE(Reports(d, 22, shadowed));
}

// Windows finds "Photo.PNG" as photo.png: a single such file is taken, with
// a note; of several, none is, and the warning names them.
TEST(Diagnostics, ReportsPictureNamesThatDifferInLetterCase) {
  PictureDir pictures;
  std::filesystem::copy_file(kExamples + "/formula2.png", pictures.dir.File("Два.png"));
  std::filesystem::copy_file(kExamples + "/formula2.png", pictures.dir.File("два.PNG"));
  const std::u16string text =
      u"Q?\n[OK.JPG]\n= a\n\nR?\n[ДВА.png]\n= b\n\nS?\n+[Ok.Png]\n-[два.png]\n- c";
  DiagnoseOptions unread;
  unread.readPictures = false;
  for (const DiagnoseOptions& options : {DiagnoseOptions{}, unread}) {
    const Diagnosis d = Diagnose(text, pictures.dir.Path(), options);
    EXPECT_EQ(d.picturesFound, 2u) << Listing(d);
    EXPECT_EQ(d.picturesMissing, 2u);
    EXPECT_TRUE(Reports(d, 2,
                        "picture \"OK.JPG\" is taken from the file \"ok.jpg\", whose name "
                        "differs in letter case"));
    EXPECT_TRUE(Reports(d, 6,
                        "picture \"ДВА.png\" not found: the files \"Два.png\" and \"два.PNG\" "
                        "differ from it only in letter case, so none of them is taken; the line "
                        "stays in the question text"));
    EXPECT_TRUE(Reports(d, 10, "picture \"Ok.Png\" is taken from the file \"ok.png\""));
    EXPECT_TRUE(Reports(d, 11, "so none of them is taken; the answer stays text"));
    EXPECT_EQ(d.Count(Severity::Note), 2u) << Listing(d);
    EXPECT_EQ(d.Count(Severity::Warning), 2u) << Listing(d);
  }
}

// A question picture is embedded byte for byte, so nothing fails on it:
// check is where a file the test editor cannot show comes to light.
TEST(Diagnostics, ReportsQuestionPicturesTheEditorCannotShow) {
  PictureDir pictures;
  const std::string jpeg = texttoxml::testing::ReadFile(kExamples + "/Pushkin.jpg");
  pictures.dir.Write("cut.jpg", jpeg.substr(0, jpeg.size() / 2));
  pictures.dir.Write("photo.jpg", std::string("RIFF\x20\0\0\0WEBPVP8 ", 16) + "data");
  pictures.dir.Write("notes.png", "just some words");
  const std::string png = texttoxml::testing::ReadFile(kExamples + "/formula1.png");
  pictures.dir.Write("cut.png", png.substr(0, png.size() - 20));
  pictures.dir.Write("jpeg.png", jpeg);  // named wrongly, shown by its content
  const std::u16string text =
      u"A?\n[cut.jpg]\n= a\n\nB?\n[photo.jpg]\n= b\n\nC?\n[notes.png]\n= c\n\n"
      u"D?\n[cut.png]\n= d\n\nE?\n[jpeg.png]\n= e\n\nF?\n[ok.jpg]\n= f";
  const Diagnosis d = Diagnose(text, pictures.dir.Path());
  EXPECT_TRUE(Reports(d, 2,
                      "picture \"cut.jpg\" is not a complete JPEG picture (its data end early or "
                      "are damaged); it is embedded as it is"));
  EXPECT_TRUE(Reports(d, 6,
                      "picture \"photo.jpg\" holds a picture of the kind WebP, which the test "
                      "editor does not show (it shows BMP, PNG, JPEG, GIF, ICO, WMF, EMF, TIFF); "
                      "it is embedded as it is"));
  EXPECT_TRUE(Reports(d, 10,
                      "picture \"notes.png\" holds no picture of a kind the test editor shows "
                      "(BMP, PNG, JPEG, GIF, ICO, WMF, EMF, TIFF); it is embedded as it is"));
  EXPECT_TRUE(Reports(d, 14, "picture \"cut.png\" is not a complete PNG picture ("));
  EXPECT_EQ(d.Count(Severity::Warning), 4u) << Listing(d);

  // Without reading pictures (convert, which embeds them next), the kind is
  // still told from the first bytes; completeness takes decoding.
  DiagnoseOptions unread;
  unread.readPictures = false;
  const Diagnosis quick = Diagnose(text, pictures.dir.Path(), unread);
  EXPECT_TRUE(Reports(quick, 6, "holds a picture of the kind WebP"));
  EXPECT_TRUE(Reports(quick, 10, "holds no picture of a kind"));
  EXPECT_EQ(quick.Count(Severity::Warning), 2u) << Listing(quick);
}

// A link inside the text's folder (tar and zip keep them) may lead
// anywhere: where it leads decides. Files of the running system are never
// read, whatever the name or link.
TEST(Diagnostics, ReportsLinksThatLeadOutOfTheTextsFolder) {
  PictureDir pictures;
  TempDir elsewhere;
  std::filesystem::copy_file(kExamples + "/Pushkin.jpg", elsewhere.File("key.jpg"));
  std::filesystem::create_symlink(elsewhere.File("key.jpg"), pictures.dir.File("out.jpg"));
  std::filesystem::create_symlink("ok.jpg", pictures.dir.File("in.jpg"));
  std::filesystem::create_symlink("/proc/self/environ", pictures.dir.File("env.jpg"));
  const std::u16string text = u"A?\n[out.jpg]\n= a\n\nB?\n[in.jpg]\n= b\n\nC?\n[env.jpg]\n= c";
  const Diagnosis d = Diagnose(text, pictures.dir.Path());
  EXPECT_TRUE(Reports(d, 2,
                      "picture \"out.jpg\" lies outside the text's folder: the file " +
                          std::filesystem::canonical(elsewhere.File("key.jpg")).string() +
                          " will be embedded"));
  EXPECT_TRUE(Reports(d, 10, "picture \"env.jpg\" cannot be read (Picture file \"/proc/"));
  EXPECT_TRUE(Reports(d, 10,
                      "belongs to the system (under /proc, /sys or /dev); it is never "
                      "embedded.): converting will fail"));
  EXPECT_EQ(d.Count(Severity::Warning), 2u) << Listing(d);
}

}  // namespace
}  // namespace texttoxml::check
