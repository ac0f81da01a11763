#include "cli/run.h"
#include "cli/run_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/command_files.h"
#include "test_support.h"

namespace texttoxml::cli {
namespace {

using texttoxml::testing::FolderEntries;
using texttoxml::testing::ReadFile;
using texttoxml::testing::TempDir;

using Result = RunResult;

const std::string kDate = "2013-07-24T15:04:05";

TEST(Cli, ConvertsTheSampleNextToItsInput) {
  TempDir dir;
  std::filesystem::copy_file(std::string(TEXTTOXML_SOURCE_DIR) + "/examples/sample.txt",
                             dir.File("sample.txt"));
  Result r = RunWith({"convert", dir.File("sample.txt"), "--date", kDate});
  EXPECT_EQ(r.status, 0) << r.messages;
  // The pictures were not copied along: their names stay text, and the
  // conversion says so.
  const std::string file = dir.File("sample.txt");
  EXPECT_EQ(
      r.messages,
      file +
          ":34: warning: picture \"Pushkin.jpg\" not found; the line stays in the question text\n" +
          file + ":38: warning: picture \"formula1.png\" not found; the answer stays text\n" +
          file + ":39: warning: picture \"formula2.png\" not found; the answer stays text\n" +
          file + ":40: warning: picture \"formula3.png\" not found; the answer stays text\n");
  std::string xml = ReadFile(dir.File("sample.xml"));
  EXPECT_NE(xml.find("<Title>sample.txt</Title>"), std::string::npos);
  EXPECT_NE(xml.find("<SaveDate>2013-07-24T15:04:05Z</SaveDate>"), std::string::npos);

  // Standard output gets the same bytes, with or without the warnings.
  Result toStdout = RunWith({"convert", dir.File("sample.txt"), "-o", "-", "--date", kDate});
  EXPECT_EQ(toStdout.status, 0);
  EXPECT_EQ(toStdout.output, xml);
  Result quiet =
      RunWith({"convert", "--quiet", dir.File("sample.txt"), "-o", "-", "--date", kDate});
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.messages, "");
  EXPECT_EQ(quiet.output, xml);
}

TEST(Cli, ReadsTheInputInTheChosenEncoding) {
  TempDir dir;
  dir.Write("cp.txt", "\xC2\xEE\xEF\xF0\xEE\xF1?\r\n= 1");  // windows-1251
  dir.Write("u8.txt", "\xD0\x92\xD0\xBE\xD0\xBF\xD1\x80\xD0\xBE\xD1\x81?\r\n= 1");
  Result r = RunWith({"convert", dir.File("cp.txt"), dir.File("u8.txt"), "--utf8"});
  // Under --utf8 the windows-1251 file is not UTF-8: that input fails, the other converts.
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, dir.File("cp.txt") + ": Invalid UTF-8 in file \"" + dir.File("cp.txt") +
                            "\" at byte 0. The file is not UTF-8: read it with --encoding auto "
                            "or --encoding cp1251 to take it as windows-1251.\n");
  const std::string u8Xml = ReadFile(dir.File("u8.xml"));
  EXPECT_NE(u8Xml.find("<PlainText>Вопрос?</PlainText>"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("cp.xml")));

  // By default each file is read as what it is, and says so under --verbose.
  Result plain = RunWith({"convert", "--verbose", dir.File("cp.txt"), dir.File("u8.txt")});
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.messages, dir.File("cp.txt") + " -> " + dir.File("cp.xml") +
                                " (read as windows-1251)\n" + dir.File("u8.txt") + " -> " +
                                dir.File("u8.xml") + " (read as UTF-8)\n");
  EXPECT_NE(ReadFile(dir.File("cp.xml")).find("<PlainText>Вопрос?</PlainText>"), std::string::npos);
  EXPECT_EQ(ReadFile(dir.File("u8.xml")).size(), u8Xml.size());

  // cp1251 reads UTF-8 without a mark as windows-1251, as the window's first filter does.
  Result cp = RunWith({"convert", dir.File("u8.txt"), "--encoding", "cp1251", "-o", "-"});
  EXPECT_EQ(cp.status, 0);
  EXPECT_NE(cp.output.find("<PlainText>Р’РѕРїСЂРѕСЃ?</PlainText>"), std::string::npos);
}

TEST(Cli, RefusesUtf16WithoutAByteOrderMarkAndSaysHowToSaveIt) {
  TempDir dir;
  const std::string text("Q\0?\0\r\0\n\0=\0 \0\x31\0", 14);  // "Q?\r\n= 1" in UTF-16 LE
  dir.Write("le.txt", text);
  const std::string advice =
      " looks like UTF-16 without a byte order mark (every other byte is zero), which is not "
      "read. Save it again as UTF-16 with a byte order mark (\"UTF-16 LE BOM\" in Notepad++, "
      "\"UTF-16 LE\" in Windows Notepad) or as UTF-8.\n";
  for (const char* encoding : {"auto", "utf8"}) {
    Result r = RunWith({"convert", dir.File("le.txt"), "--encoding", encoding});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.messages,
              dir.File("le.txt") + ": The file \"" + dir.File("le.txt") + "\"" + advice);
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("le.xml")));
  // cp1251 keeps what the window does with such a file.
  EXPECT_EQ(RunWith({"convert", dir.File("le.txt"), "--encoding", "cp1251"}).status, 0);

  // With its mark the file is read under auto, and --encoding utf8 says to use auto.
  dir.Write("marked.txt", "\xFF\xFE" + text);
  Result marked = RunWith({"check", dir.File("marked.txt")});
  EXPECT_EQ(marked.status, 0);
  EXPECT_EQ(marked.output, dir.File("marked.txt") +
                               ": 1 task (1 number entry); pictures: 0 found, "
                               "0 missing; 0 warnings, 0 notes; read as "
                               "UTF-16 LE with a byte order mark\n");
  Result utf8 = RunWith({"preview", dir.File("marked.txt"), "--utf8"});
  EXPECT_EQ(utf8.status, 1);
  EXPECT_EQ(utf8.messages, dir.File("marked.txt") + ": Invalid UTF-8 in file \"" +
                               dir.File("marked.txt") +
                               "\" at byte 0. The file starts with a "
                               "UTF-16 byte order mark: read it with --encoding auto.\n");

  // A UTF-8 mark decides under every encoding; a byte after it that is not UTF-8 is refused.
  dir.Write("broken.txt", "\xEF\xBB\xBFQ?\r\n= \xC0");
  Result broken = RunWith({"check", dir.File("broken.txt"), "--encoding", "cp1251"});
  EXPECT_EQ(broken.status, 2);
  EXPECT_EQ(broken.messages, dir.File("broken.txt") + ": Invalid UTF-8 in file \"" +
                                 dir.File("broken.txt") +
                                 "\" at byte 9. The file starts with a "
                                 "UTF-8 byte order mark, yet this byte is not UTF-8: open it in "
                                 "an editor, correct the text there and save it again as UTF-8.\n");
}

TEST(Cli, ReportsFailuresPerInputAndGoesOn) {
  TempDir dir;
  dir.Write("blank.txt", "  \r\n\t\r\n");
  dir.Write("good.txt", "Q?\r\n+ a");
  dir.Write("same.xml", "Q?\r\n+ a");
  std::string missing = dir.File("missing.txt");
  Result r = RunWith(
      {"convert", dir.File("blank.txt"), missing, dir.File("same.xml"), dir.File("good.txt")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, dir.File("blank.txt") + ": Nothing to convert: the text is blank.\n" +
                            missing + ": Cannot open file \"" + missing +
                            "\". No such file or directory.\n" + dir.File("same.xml") +
                            ": The output file would replace the input file.\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("blank.xml")));
  EXPECT_EQ(ReadFile(dir.File("same.xml")), "Q?\r\n+ a");
  EXPECT_TRUE(std::filesystem::exists(dir.File("good.xml")));
}

TEST(Cli, UsageErrorsExitWithTwo) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"convert"},
                                             {"frobnicate"},
                                             {"convert", "a.txt", "--bogus"},
                                             {"convert", "a.txt", "b.txt", "-o", "c.xml"},
                                             {"convert", "a.txt", "-o"},
                                             {"convert", "a.txt", "--date", "2013-02-30T00:00:00"},
                                             {"preview", "a.txt", "--format", "json"},
                                             {"check", "a.txt", "--quiet"},
                                             {"check", "a.txt", "-o", "x"},
                                             {"check", "a.txt", "--format", "xml"},
                                             {"check"},
                                             {"preview", "a.txt", "b.txt"},
                                             {"preview", "a.txt", "--date", kDate},
                                             {"check", "a.txt", "--encoding", "utf16"},
                                             {"convert", "a.txt", "--encoding"}}) {
    Result r = RunWith(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.messages.find("Usage: texttoxml convert"), std::string::npos);
  }
  Result help = RunWith({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.output.rfind("Usage:", 0), 0u);
  Result version = RunWith({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.output.rfind("texttoxml ", 0), 0u);
}

TEST(Cli, AFileWhereTheCommandBelongsIsAnsweredWithTheCommand) {
  Result r = RunWith({"sample.txt", "-o", "my test.xml"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.messages.find("run: texttoxml convert sample.txt -o 'my test.xml'\n"),
            std::string::npos)
      << r.messages;
  EXPECT_EQ(r.messages.find("Usage:"), std::string::npos);
}

TEST(Cli, PictureFailureNamesTheLineAndThePicture) {
  TempDir dir;
  dir.Write("x.svg", "<svg/>");
  std::filesystem::create_directories(dir.File("pics"));
  dir.Write("pics/bad.svg", "<svg/>");
  const std::string question =
      dir.Write("question.txt", "First?\r\n+ a\r\n\r\n  \r\nSecond?\r\n+ yes\r\n- [x.svg]\r\n- no");
  Result r = RunWith({"convert", "--quiet", question});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages,
            question + ":7: picture \"x.svg\": Unknown picture file extension (.svg)\n");

  // Lone LFs, a continuation line and a picture from a subfolder. (A
  // question picture is embedded as it is; its line shows when it cannot be
  // read, see the fault injection tests.)
  const std::string variant = dir.Write(
      "variant.txt", "Intro?\n+ a\n\n\nPick?\n+ one\ncontinued\n- two\n+ [pics/bad.svg]\n");
  r = RunWith({"convert", "--quiet", variant, "-o", dir.File("v.xml")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages,
            variant + ":9: picture \"pics/bad.svg\": Unknown picture file extension (.svg)\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("v.xml")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("question.xml")));

  // A picture of a known kind cut short fails with the reading error.
  dir.Write("short.bmp", "BM");
  const std::string cut = dir.Write("cut.txt", "Pick?\r\n+ yes\r\n- [short.bmp]\r\n");
  r = RunWith({"convert", "--quiet", cut});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, cut + ":3: picture \"short.bmp\": Stream read error.\n");
}

// The document is written task by task, so by the failing picture of task
// 3000 megabytes have gone out: into a temporary file that goes away, while
// standard output is given nothing at all.
TEST(Cli, FailureDeepInALargeTextLeavesNoOutput) {
  TempDir dir;
  std::string text;
  for (int i = 0; i < 4000; ++i)
    text += "Question " + std::to_string(i) + "?\r\n+ yes\r\n- no\r\n" +
            (i == 3000 ? "- [bad.svg]\r\n" : "") + "\r\n";
  dir.Write("bad.svg", "<svg/>");
  const std::string input = dir.Write("large.txt", text);
  const std::string target = dir.Write("large.xml", "previous");
  const std::string expected =
      input + ":12004: picture \"bad.svg\": Unknown picture file extension (.svg)\n";
  Result r = RunWith({"convert", "--quiet", input});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, expected);
  EXPECT_TRUE(ReadFile(target) == "previous");
  EXPECT_EQ(FolderEntries(dir.Path()),
            (std::vector<std::string>{"bad.svg", "large.txt", "large.xml"}));
  r = RunWith({"convert", "--quiet", input, "-o", "-"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, expected);
  EXPECT_TRUE(r.output.empty());
}

TEST(Cli, VerboseNamesTheWrittenFile) {
  TempDir dir;
  dir.Write("t.txt", "Q?\r\n= 1");
  Result r = RunWith({"convert", "--verbose", dir.File("t.txt"), "--output", dir.File("out.xml")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.messages,
            dir.File("t.txt") + " -> " + dir.File("out.xml") + " (read as windows-1251)\n");
}

TEST(Cli, OutputDirTakesEachInputUnderItsOwnName) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("one"));
  std::filesystem::create_directories(dir.File("two"));
  std::filesystem::create_directories(dir.File("out"));
  const std::string first = dir.Write("one/first.txt", "Q?\r\n= 1");
  const std::string second = dir.Write("two/second", "Q?\r\n+ a");
  Result r = RunWith({"convert", first, second, "-O", dir.File("out"), "--date", kDate});
  EXPECT_EQ(r.status, 0) << r.messages;
  EXPECT_NE(ReadFile(dir.File("out/first.xml")).find("<Title>first.txt</Title>"),
            std::string::npos);
  EXPECT_NE(ReadFile(dir.File("out/second.xml")).find("<Title>second</Title>"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("one/first.xml")));

  r = RunWith({"preview", first, "--output-dir", dir.File("out") + "/"});
  EXPECT_EQ(r.status, 0) << r.messages;
  EXPECT_EQ(ReadFile(dir.File("out/first.html")).rfind("<!DOCTYPE html>", 0), 0u);

  // Inputs of one name from two folders would meet in the output folder.
  const std::string again = dir.Write("two/first.text", "Q?\r\n+ b");
  r = RunWith({"convert", first, again, "-O", dir.File("out")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.messages.find("would both be written to"), std::string::npos);

  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"convert", first, "-O", "a", "-o", "b.xml"},
                                             {"convert", first, "-O", "a", "-O", "b"},
                                             {"check", first, "-O", "a"},
                                             {"convert", first, "-O"},
                                             {"convert", first, "-O", ""}}) {
    EXPECT_EQ(RunWith(args).status, 2) << args[2];
  }
}

TEST(OutputPathOf, ReplacesOrAppendsTheExtension) {
  const Options none;
  EXPECT_EQ(OutputPathOf(none, "tasks.txt", ".xml"), "tasks.xml");
  EXPECT_EQ(OutputPathOf(none, "dir/tasks", ".xml"), "dir/tasks.xml");
  EXPECT_EQ(OutputPathOf(none, "a.b/tasks", ".html"), "a.b/tasks.html");
  EXPECT_EQ(OutputPathOf(none, "x.tar.txt", ".xml"), "x.tar.xml");
  EXPECT_EQ(OutputPathOf(none, "dir/.hidden", ".xml"), "dir/.hidden.xml");
  Options folder;
  folder.outputDir = "out";
  EXPECT_EQ(OutputPathOf(folder, "dir/tasks.txt", ".xml"), "out/tasks.xml");
}

}  // namespace
}  // namespace texttoxml::cli
