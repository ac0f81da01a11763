#include "app/form1.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fake_platform.h"
#include "platform/code_page.h"
#include "platform/utf.h"
#include "test_support.h"

namespace texttoxml::app {
namespace {

using namespace std::string_literals;
using texttoxml::testing::ReadFile;
using texttoxml::testing::TempDir;

constexpr char kAddress[] = "file:///usr/share/doc/texttoxml/guide.html";

std::u16string U16(const std::string& utf8) {
  return platform::Utf8ToUtf16(utf8).text;
}

std::u16string OpenedCaption(const std::string& path) {
  return std::u16string(kOpenedFileCaption) + u" " + U16(path);
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

// The document without its SaveDate line, which differs from save to save.
std::string WithoutSaveDate(std::string xml) {
  const std::size_t start = xml.find("<SaveDate>");
  if (start == std::string::npos) return xml;
  return xml.erase(start, xml.find('\n', start) - start);
}

struct Window {
  FakePlatform platform;
  Form1 form{platform, kAddress};

  void Open(const std::string& path, int filterIndex) {
    platform.openAnswers.push_back(OpenChoice{path, filterIndex});
    form.BbOpenClick();
  }
  void Save(const std::string& path) {
    platform.saveAnswers.push_back(path);
    form.BbSaveClick();
  }
  // As the user's typing leaves the memo.
  void Type(std::u16string_view text) {
    platform.memo = text;
    platform.memoModified = true;
  }
};

TEST(OpenCommand, DecodesWithTheChosenFilterAndRemembersIt) {
  TempDir dir;
  // windows-1251, with a lone LF, a lone CR and a U+0000 that ends the text.
  const std::string ansi =
      dir.Write("ansi.txt", "\xC2\xEE\xEF\xF0\xEE\xF1\n+ \xE4\xE0\r- \xED\xE5\xF2\0tail"s);
  const std::string utf8 = dir.Write("utf8.txt", "Ответ\n= 5\n");
  Window window;

  window.Open(ansi, kAnsiFilterIndex);
  EXPECT_EQ(window.platform.memo, u"Вопрос\r\n+ да\r\n- нет");
  EXPECT_EQ(window.platform.label, OpenedCaption(ansi));
  EXPECT_EQ(window.form.LabelCaption(), OpenedCaption(ansi));
  EXPECT_EQ(window.form.Dir(), dir.Path());
  EXPECT_TRUE(window.form.FileName().empty());

  window.Open(utf8, kUtf8FilterIndex);
  EXPECT_EQ(window.platform.memo, u"Ответ\r\n= 5\r\n");
  EXPECT_EQ(window.platform.label, OpenedCaption(utf8));

  // UTF-8 without a byte order mark, as Notepad saves it, reads as UTF-8
  // under the first filter too.
  window.Open(utf8, kAnsiFilterIndex);
  EXPECT_EQ(window.platform.memo, u"Ответ\r\n= 5\r\n");

  ASSERT_EQ(window.platform.openStarts.size(), 3u);
  EXPECT_TRUE(window.platform.openStarts[0].path.empty());
  EXPECT_EQ(window.platform.openStarts[0].filterIndex, kAnsiFilterIndex);
  EXPECT_EQ(window.platform.openStarts[1].path, ansi);
  EXPECT_EQ(window.platform.openStarts[2].path, utf8);
  EXPECT_EQ(window.platform.openStarts[2].filterIndex, kUtf8FilterIndex);
  EXPECT_TRUE(window.platform.errors.empty());
}

TEST(OpenCommand, CancelChangesNothing) {
  TempDir dir;
  const std::string path = dir.Write("tasks.txt", "Q\r\n+ a");
  Window window;
  window.Open(path, kUtf8FilterIndex);
  window.platform.memo = u"edited";
  const int writes = window.platform.memoWrites;

  window.platform.openAnswers.push_back(std::nullopt);
  window.form.BbOpenClick();

  EXPECT_EQ(window.platform.memo, u"edited");
  EXPECT_EQ(window.platform.memoWrites, writes);
  EXPECT_EQ(window.platform.label, OpenedCaption(path));
  EXPECT_EQ(window.form.Dir(), dir.Path());
  EXPECT_EQ(window.form.OpenDialogChoice().path, path);
  EXPECT_EQ(window.form.OpenDialogChoice().filterIndex, kUtf8FilterIndex);
  EXPECT_TRUE(window.platform.errors.empty());
}

// A file that cannot be read or decoded leaves everything as the last good
// open left it: the memo, the label, Dir and the title of the next save.
// Only the dialog starts at the failed file next time, to try the other
// filter.
TEST(OpenCommand, FailureChangesNothingButTheDialogsStart) {
  TempDir first;
  TempDir second;
  const std::string good = first.Write("good.txt", "Q\r\n+ a");
  const std::string missing = second.File("missing.txt");
  const std::string ansi = second.Write("ansi.txt", "\xC2\xEE\xEF\xF0\xEE\xF1");
  const std::string unmarked = second.Write("unmarked.txt", "Q\0\r\0\n\0+\0 \0a\0"s);
  Window window;
  window.Open(good, kAnsiFilterIndex);
  window.Type(u"Q\r\n+ a\r\n- b");

  window.Open(missing, kUtf8FilterIndex);
  window.Open(ansi, kUtf8FilterIndex);
  window.Open(unmarked, kAnsiFilterIndex);  // UTF-16 without a byte order mark
  ASSERT_EQ(window.platform.errors.size(), 3u);
  EXPECT_EQ(window.platform.errors[0],
            u"Cannot open file \"" + U16(missing) + u"\". No such file or directory.");
  EXPECT_EQ(window.platform.errors[1], u"Invalid UTF-8 in file \"" + U16(ansi) + u"\" at byte 0.");
  EXPECT_NE(window.platform.errors[2].find(u"UTF-16 without a byte order mark"),
            std::u16string::npos);
  EXPECT_TRUE(window.platform.questions.empty());
  EXPECT_EQ(window.platform.memo, u"Q\r\n+ a\r\n- b");
  EXPECT_TRUE(window.platform.memoModified);
  EXPECT_EQ(window.platform.label, OpenedCaption(good));
  EXPECT_EQ(window.form.Dir(), first.Path());
  EXPECT_EQ(window.form.OpenedPath(), good);
  EXPECT_EQ(window.form.OpenDialogChoice().path, unmarked);
  EXPECT_EQ(window.form.OpenDialogChoice().filterIndex, kAnsiFilterIndex);

  const std::string out = second.File("out.xml");
  window.Save(out);
  EXPECT_NE(ReadFile(out).find("<Title>good.txt</Title>"), std::string::npos);

  // A UTF-16 file with its mark is no UTF-8, but reads with the first filter.
  const std::string marked = second.Write("marked.txt", "\xFF\xFEQ\0"s);
  window.Open(marked, kUtf8FilterIndex);
  EXPECT_EQ(window.platform.errors.size(), 4u);
  window.Open(marked, kAnsiFilterIndex);
  EXPECT_EQ(window.platform.openStarts.back().path, marked);
  EXPECT_EQ(window.platform.openStarts.back().filterIndex, kUtf8FilterIndex);
  EXPECT_EQ(window.platform.memo, u"Q");
  EXPECT_EQ(window.form.Dir(), second.Path());
  EXPECT_EQ(window.platform.errors.size(), 4u);
}

TEST(OpenCommand, AsksBeforeReplacingEdits) {
  TempDir dir;
  const std::string first = dir.Write("first.txt", "Q1\r\n+ a");
  const std::string second = dir.Write("second.txt", "Q2\r\n= 5");
  Window window;
  window.Open(first, kAnsiFilterIndex);
  // An opened text is no edit: the next open asks nothing.
  window.Open(second, kAnsiFilterIndex);
  EXPECT_TRUE(window.platform.questions.empty());
  EXPECT_FALSE(window.platform.memoModified);

  window.Type(u"Q2\r\n= 6");
  window.platform.confirmAnswers.push_back(false);
  window.Open(first, kAnsiFilterIndex);
  EXPECT_EQ(window.platform.questions,
            (std::vector<std::u16string>{std::u16string(kDiscardOnOpenQuestion)}));
  EXPECT_EQ(window.platform.memo, u"Q2\r\n= 6");
  EXPECT_TRUE(window.platform.memoModified);
  EXPECT_EQ(window.platform.label, OpenedCaption(second));
  EXPECT_EQ(window.form.OpenedPath(), second);

  window.platform.confirmAnswers.push_back(true);
  window.Open(first, kAnsiFilterIndex);
  EXPECT_EQ(window.platform.questions.size(), 2u);
  EXPECT_EQ(window.platform.memo, u"Q1\r\n+ a");
  EXPECT_FALSE(window.platform.memoModified);
  EXPECT_EQ(window.platform.label, OpenedCaption(first));
  EXPECT_TRUE(window.platform.errors.empty());
}

// Only a written file takes the edits in: a cancelled or failed save leaves
// them unsaved, and the normalised text that a save puts back is no edit.
TEST(CloseQuery, AsksWhileEditsAreUnsaved) {
  TempDir dir;
  Window window;
  EXPECT_TRUE(window.form.FormCloseQuery());
  window.Type(u"  Q\r\n\r\n\r\n+ a");
  window.platform.saveAnswers.push_back(std::nullopt);
  window.form.BbSaveClick();
  window.Save(dir.File("no such folder/out.xml"));
  ASSERT_EQ(window.platform.errors.size(), 1u);
  EXPECT_EQ(window.platform.memo, u"Q\r\n\r\n+ a\r\n");
  EXPECT_TRUE(window.platform.questions.empty());

  window.platform.confirmAnswers = {false, true};
  EXPECT_FALSE(window.form.FormCloseQuery());
  EXPECT_TRUE(window.form.FormCloseQuery());
  EXPECT_EQ(window.platform.questions,
            (std::vector<std::u16string>(2, std::u16string(kDiscardOnCloseQuestion))));

  window.Save(dir.File("out.xml"));
  EXPECT_EQ(window.platform.errors.size(), 1u);
  EXPECT_FALSE(window.platform.memoModified);
  EXPECT_TRUE(window.form.FormCloseQuery());
  EXPECT_EQ(window.platform.questions.size(), 2u);

  // Nor does an opened text count until it is edited, also when it is
  // normalised by a save that fails.
  window.platform.openAnswers.push_back(
      OpenChoice{dir.Write("t.txt", "Q\r\n\r\n\r\n+ a"), kAnsiFilterIndex});
  window.form.BbOpenClick();
  window.Save(dir.File("no such folder/t.xml"));
  EXPECT_EQ(window.platform.errors.size(), 2u);
  EXPECT_EQ(window.platform.memo, u"Q\r\n\r\n+ a\r\n");
  EXPECT_TRUE(window.form.FormCloseQuery());
  EXPECT_EQ(window.platform.questions.size(), 2u);
}

// The busy cursor shows while the document is made, not over the dialogs,
// and is gone before an error box shows.
TEST(SaveCommand, IsBusyOnlyWhileItWorks) {
  TempDir dir;
  Window window;
  window.Type(u"  Q\r\n+ a");
  window.platform.saveAnswers.push_back(std::nullopt);
  window.form.BbSaveClick();
  EXPECT_EQ(window.platform.busySpells, 0);

  window.Save(dir.File("out.xml"));
  EXPECT_EQ(window.platform.busySpells, 1);
  EXPECT_TRUE(window.platform.busyAtLastMemoWrite);
  EXPECT_FALSE(window.platform.busy);

  window.Save(dir.File("no such folder/out.xml"));
  EXPECT_EQ(window.platform.busySpells, 2);
  ASSERT_EQ(window.platform.errors.size(), 1u);
  EXPECT_FALSE(window.platform.busyAtAnError);
  EXPECT_FALSE(window.platform.busy);
}

// The save dialog proposes the opened text's name with ".xml" beside it,
// not the file the previous test was saved as; once saved, the file chosen.
TEST(SaveCommand, ProposesTheOpenedTextsName) {
  TempDir dir;
  const std::string first = dir.Write("first.txt", "Q1\r\n+ a");
  const std::string second = dir.Write("second.text.txt", "Q2\r\n+ b");
  const std::string bare = dir.Write("bare", "Q3\r\n+ c");
  Window window;
  window.Type(u"Q\r\n+ a");
  window.Save(dir.File("typed.xml"));
  window.Open(first, kAnsiFilterIndex);
  window.Save(dir.File("chosen.xml"));
  window.Save(dir.File("again.xml"));
  window.Open(second, kAnsiFilterIndex);
  window.Save(dir.File("second.xml"));
  window.Open(bare, kAnsiFilterIndex);
  window.Save(dir.File("bare.xml"));

  EXPECT_EQ(window.platform.saveStarts,
            (std::vector<std::string>{"", dir.File("first.xml"), dir.File("chosen.xml"),
                                      dir.File("second.text.xml"), dir.File("bare.xml")}));
  EXPECT_TRUE(window.platform.errors.empty());
}

TEST(SaveCommand, BlankMemoShowsNoDialog) {
  for (std::u16string blank : {u"", u" \r\n\t \r\n", u"\r\n\r\n"}) {
    Window window;
    window.platform.memo = blank;
    window.form.BbSaveClick();
    EXPECT_TRUE(window.platform.saveStarts.empty());
    EXPECT_EQ(window.platform.memo, blank);
    EXPECT_EQ(window.platform.memoWrites, 0);
    EXPECT_TRUE(window.platform.errors.empty());
  }
}

TEST(SaveCommand, CancelChangesNothing) {
  TempDir dir;
  Window window;
  const std::u16string text = u"  Q\r\n+ a\r\n\r\n\r\n- b  ";
  window.platform.memo = text;
  window.platform.saveAnswers.push_back(std::nullopt);
  window.form.BbSaveClick();

  EXPECT_EQ(window.platform.saveStarts.size(), 1u);
  EXPECT_EQ(window.platform.memo, text);
  EXPECT_EQ(window.platform.memoWrites, 0);
  EXPECT_TRUE(window.form.FileName().empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
  EXPECT_TRUE(window.platform.errors.empty());
}

TEST(SaveCommand, WritesTheDocumentAndNormalisesTheMemo) {
  TempDir dir;
  Window window;
  window.platform.memo = u"Q1\r\n+ a\r\n\r\n\r\n   \r\nQ2\r\n= 5";
  const std::string out = dir.File("out.xml");
  window.Save(out);

  EXPECT_TRUE(window.platform.errors.empty());
  EXPECT_EQ(window.platform.memo, u"Q1\r\n+ a\r\n\r\nQ2\r\n= 5\r\n");
  EXPECT_EQ(window.form.FileName(), out);
  const std::string xml = ReadFile(out);
  EXPECT_NE(xml.find("<Title>Импорт из текстового файла</Title>"), std::string::npos);
  EXPECT_EQ(Count(xml, "<Task "), 2u);
  EXPECT_NE(xml.find("<Task Type=\"TYPE_TASK_CHOICE_SINGLE\">"), std::string::npos);
  EXPECT_NE(xml.find("<Task Type=\"TYPE_TASK_ENTER_NUM\">"), std::string::npos);

  // Saving again starts at the file chosen last, leaves the normalised text
  // as it is and gives the same tasks.
  const std::string again = dir.File("again.xml");
  window.Save(again);
  ASSERT_EQ(window.platform.saveStarts.size(), 2u);
  EXPECT_EQ(window.platform.saveStarts[1], out);
  EXPECT_EQ(window.platform.memo, u"Q1\r\n+ a\r\n\r\nQ2\r\n= 5\r\n");
  EXPECT_EQ(window.form.FileName(), again);
  EXPECT_EQ(WithoutSaveDate(ReadFile(again)), WithoutSaveDate(xml));
  EXPECT_TRUE(window.platform.errors.empty());
}

TEST(SaveCommand, FailureLeavesTheMemoNormalisedAndWritesNothing) {
  TempDir dir;
  Window window;
  window.platform.memo = u"Q\r\n\r\n\r\n+ a";
  const std::string out = dir.File("no such folder/out.xml");
  window.Save(out);

  ASSERT_EQ(window.platform.errors.size(), 1u);
  const std::u16string& error = window.platform.errors[0];
  EXPECT_EQ(error.rfind(u"Cannot create file \"", 0), 0u);
  EXPECT_NE(error.find(U16(out)), std::u16string::npos);
  EXPECT_EQ(error.back(), u'.');
  EXPECT_EQ(window.platform.memo, u"Q\r\n\r\n+ a\r\n");
  EXPECT_EQ(window.form.FileName(), out);
  EXPECT_FALSE(std::filesystem::exists(out));
}

// A picture that cannot be embedded stops the save before anything is
// written. The message names the picture as the text does and the memo line
// that names it, counted in the normalised text the memo shows by then (the
// file has it on line 9); the cause ends in ")" and so gets no full stop.
TEST(SaveCommand, PictureFailureNamesThePictureAndItsLine) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("pictures"));
  dir.Write("pictures/pic.xyz", "not a picture");
  const std::string tasks =
      dir.Write("tasks.txt", "Q0\r\n\r\n\r\n  + a\r\n\r\n\r\nQ\r\n- b\r\n+[pictures/pic.xyz]\r\n");
  Window window;
  window.Open(tasks, kAnsiFilterIndex);
  const std::string out = dir.File("out.xml");
  window.Save(out);

  EXPECT_EQ(window.platform.errors,
            (std::vector<std::u16string>{
                u"Строка 7, рисунок «pictures/pic.xyz»: Unknown picture file extension (.xyz)"}));
  EXPECT_EQ(window.platform.memo, u"Q0\r\n\r\n+ a\r\n\r\nQ\r\n- b\r\n+[pictures/pic.xyz]\r\n");
  EXPECT_FALSE(std::filesystem::exists(out));

  // A picture named by its full path outside the text's folder keeps it.
  TempDir elsewhere;
  const std::string full = elsewhere.Write("pic.xyz", "not a picture");
  window.Type(u"Q\r\n+[" + U16(full) + u"]\r\n- b");
  window.Save(out);
  ASSERT_EQ(window.platform.errors.size(), 2u);
  EXPECT_EQ(window.platform.errors[1],
            u"Строка 2, рисунок «" + U16(full) + u"»: Unknown picture file extension (.xyz)");
}

TEST(WebAddress, LinkAndBannerOpenTheSameAddress) {
  Window window;
  window.form.LinkLabel1LinkClick();
  window.form.Image1Click();
  EXPECT_EQ(window.platform.addresses, (std::vector<std::string>{kAddress, kAddress}));
}

}  // namespace
}  // namespace texttoxml::app
