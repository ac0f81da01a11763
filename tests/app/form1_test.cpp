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

  // UTF-8 without a byte order mark under the first filter reads byte by byte.
  window.Open(utf8, kAnsiFilterIndex);
  EXPECT_EQ(window.platform.memo, platform::AnsiToUtf16("Ответ") + u"\r\n= 5\r\n");

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

TEST(OpenCommand, UnreadableFileEmptiesTheMemoButTheDialogRemembersIt) {
  TempDir first;
  TempDir second;
  const std::string good = first.Write("good.txt", "Q\r\n+ a");
  const std::string missing = second.File("missing.txt");
  Window window;
  window.Open(good, kAnsiFilterIndex);

  window.Open(missing, kUtf8FilterIndex);
  ASSERT_EQ(window.platform.errors.size(), 1u);
  EXPECT_EQ(window.platform.errors[0],
            u"Cannot open file \"" + U16(missing) + u"\". No such file or directory.");
  EXPECT_TRUE(window.platform.memo.empty());
  EXPECT_EQ(window.platform.label, OpenedCaption(good));
  EXPECT_EQ(window.form.Dir(), first.Path());
  EXPECT_EQ(window.form.OpenDialogChoice().path, missing);
  EXPECT_EQ(window.form.OpenDialogChoice().filterIndex, kUtf8FilterIndex);

  // The window goes on: the next save titles its group after the file that
  // failed, and the next open dialog starts there.
  window.platform.memo = u"Q\r\n+ a";
  const std::string out = second.File("out.xml");
  window.Save(out);
  EXPECT_NE(ReadFile(out).find("<Title>missing.txt</Title>"), std::string::npos);
  window.platform.openAnswers.push_back(std::nullopt);
  window.form.BbOpenClick();
  EXPECT_EQ(window.platform.openStarts.back().path, missing);
  EXPECT_EQ(window.platform.errors.size(), 1u);
}

// Invalid UTF-8 is an error like any other failure to open: nothing of the
// file shows, and the label and Dir still name the file opened before.
TEST(OpenCommand, InvalidUtf8UnderTheUtf8FilterIsAnError) {
  TempDir first;
  TempDir second;
  const std::string good = first.Write("good.txt", "Q\r\n+ a");
  const std::string ansi = second.Write("ansi.txt", "\xC2\xEE\xEF\xF0\xEE\xF1");
  const std::string utf16 = second.Write("utf16.txt", "\xFF\xFEQ\0"s);
  Window window;
  window.Open(good, kAnsiFilterIndex);

  window.Open(ansi, kUtf8FilterIndex);
  ASSERT_EQ(window.platform.errors.size(), 1u);
  EXPECT_EQ(window.platform.errors[0], u"Invalid UTF-8 in file \"" + U16(ansi) + u"\" at byte 0.");
  EXPECT_TRUE(window.platform.memo.empty());
  EXPECT_EQ(window.platform.label, OpenedCaption(good));
  EXPECT_EQ(window.form.Dir(), first.Path());

  // A UTF-16 file is not UTF-8 either, but reads under the first filter.
  window.Open(utf16, kUtf8FilterIndex);
  EXPECT_EQ(window.platform.errors.size(), 2u);
  window.Open(utf16, kAnsiFilterIndex);
  EXPECT_EQ(window.platform.memo, u"Q");
  EXPECT_EQ(window.form.Dir(), second.Path());
  EXPECT_EQ(window.platform.errors.size(), 2u);
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

// A picture variant that cannot be embedded stops the save before anything
// is written; the message ends in ")" and so gets no full stop.
TEST(SaveCommand, PictureFailureIsShownAsItIs) {
  TempDir dir;
  dir.Write("pic.xyz", "not a picture");
  const std::string tasks = dir.Write("tasks.txt", "Q\r\n+[pic.xyz]\r\n- b\r\n\r\n\r\n");
  Window window;
  window.Open(tasks, kAnsiFilterIndex);
  const std::string out = dir.File("out.xml");
  window.Save(out);

  EXPECT_EQ(window.platform.errors,
            (std::vector<std::u16string>{u"Unknown picture file extension (.xyz)"}));
  EXPECT_EQ(window.platform.memo, u"Q\r\n+[pic.xyz]\r\n- b\r\n");
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(WebAddress, LinkAndBannerOpenTheSameAddress) {
  Window window;
  window.form.LinkLabel1LinkClick();
  window.form.Image1Click();
  EXPECT_EQ(window.platform.addresses, (std::vector<std::string>{kAddress, kAddress}));
}

}  // namespace
}  // namespace texttoxml::app
