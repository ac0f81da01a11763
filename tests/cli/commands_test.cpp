#include <gtest/gtest.h>

#include <filesystem>

#include "cli/json_text.h"
#include "cli/run.h"
#include "cli/run_support.h"
#include "docx/docx_builder.h"
#include "test_support.h"

namespace texttoxml::cli {
namespace {

using texttoxml::testing::ReadFile;
using texttoxml::testing::TempDir;

using Result = RunResult;

TEST(CheckCommand, PrintsSortedFindingsAndASummaryPerInput) {
  TempDir dir;
  const std::string good = dir.Write("good.txt", "Q?\r\n+ a");
  const std::string bad = dir.Write("bad.txt", "1 2 3?\r\n+ b\r\n\r\nQ?\r\n- a\r\n- b?");
  const std::string noted = dir.Write("noted.txt", "Q?\r\n- a?\r\n+ b");
  const std::string goodReport = good +
                                 ": 1 task (1 single choice); pictures: 0 found, 0 missing; 0 "
                                 "warnings, 0 notes; read as windows-1251\n";

  Result r = RunWith({"check", good});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output, goodReport);
  EXPECT_EQ(r.messages, "");

  r = RunWith({"check", good, bad});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.output,
            goodReport + bad +
                ":1: warning: not a task: the first line starts with \"1\", an answer marker, so "
                "there is no question; it is written as an empty task; to keep it a question, put "
                "a no-break space (U+00A0) before the number, or rephrase it\n" +
                bad + ":5: warning: no answer is marked \"+\": the task has no correct answer\n" +
                bad +
                ": 2 tasks (1 single choice, 1 not a task); pictures: 0 found, 0 missing; "
                "2 warnings, 0 notes; read as windows-1251\n");

  // Notes are shown but do not make the status.
  r = RunWith({"check", noted});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(
      r.output.rfind(noted + ":2: note: this line starts with \"-\", so it is read as the first "
                             "answer, yet it ends with \"?\"",
                     0),
      0u);

  // An input that cannot be read gives 2; the others are still checked.
  const std::string missing = dir.File("missing.txt");
  r = RunWith({"check", missing, bad});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.messages,
            missing + ": Cannot open file \"" + missing + "\". No such file or directory.\n");
  EXPECT_NE(r.output.find(bad + ":1: warning"), std::string::npos);
}

TEST(CheckCommand, WritesJson) {
  TempDir dir;
  const std::string bad = dir.Write("bad.txt", "Q?\r\n- [нет.png]");
  const std::string missing = dir.File("missing.txt");
  Result r = RunWith({"check", "--format", "json", "--utf8", bad, missing});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(
      r.output,
      "{\"files\": [\n"
      "  {\"file\": \"" +
          bad +
          "\", \"encoding\": \"UTF-8\", \"tasks\": {\"total\": 1, \"single_choice\": 1, "
          "\"multiple_choice\": 0, \"ordering\": 0, \"number_entry\": 0, \"text_entry\": 0, "
          "\"not_a_task\": 0}, \"pictures\": {\"found\": 0, \"missing\": 1}, \"warnings\": 2, "
          "\"notes\": 0, \"findings\": [\n"
          "    {\"line\": 2, \"severity\": \"warning\", \"message\": \"no answer is marked "
          "\\\"+\\\": the task has no correct answer\"},\n"
          "    {\"line\": 2, \"severity\": \"warning\", \"message\": \"picture "
          "\\\"\xD0\xBD\xD0\xB5\xD1\x82.png\\\" not found; the answer stays text\"}\n"
          "  ]},\n"
          "  {\"file\": \"" +
          missing + "\", \"error\": \"Cannot open file \\\"" + missing +
          "\\\". No such file or directory.\"}\n"
          "]}\n");
}

// The page saves from one reading of the text: convert's report must say
// what check's says, and name a failure where the failed input stands.
TEST(ConvertCommand, ReportsAsCheckDoesInJson) {
  TempDir dir;
  const std::string good = dir.Write("good.txt", "Q?\r\n+ a");
  const std::string bad = dir.Write("bad.txt", "1 2 3?\r\n+ b\r\n\r\nQ?\r\n- [gone.png]\r\n+ b?");
  dir.Write("broken.png", "\x89PNG\r\n\x1a\n not really");
  const std::string broken =
      dir.Write("broken.txt", "1 2 3?\r\n+ a\r\n\r\nQ?\r\n+ [broken.png]\r\n- b");
  const std::string missing = dir.File("missing.txt");

  const Result checked = RunWith({"check", "--format", "json", good, bad});
  const Result converted = RunWith({"convert", "--format", "json", "-O", dir.Path(), good, bad});
  EXPECT_EQ(converted.status, 0);
  EXPECT_EQ(converted.messages, checked.output);
  EXPECT_EQ(converted.output, "");

  const Result failed = RunWith({"convert", "--format", "json", "-O", dir.Path(), broken, missing});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.messages.rfind("{\"files\": [\n  {\"file\": \"" + broken + "\", \"error\": \"" +
                                      broken + ":5: picture \\\"broken.png\\\": ",
                                  0),
            0u)
      << failed.messages;
  EXPECT_NE(failed.messages.find("\"not_a_task\": 1"), std::string::npos) << failed.messages;
  EXPECT_NE(failed.messages.find(",\n  {\"file\": \"" + missing + "\", \"error\": \"" + missing +
                                 ": Cannot open file"),
            std::string::npos)
      << failed.messages;
  EXPECT_FALSE(std::filesystem::exists(dir.File("broken.xml")));
}

TEST(JsonText, EscapesQuotesControlsAndForeignBytes) {
  std::string out;
  AppendJsonString(out, "a\"b\\c\n\x01/\xD0\xB4");
  EXPECT_EQ(out, "\"a\\\"b\\\\c\\u000A\\u0001/\xD0\xB4\"");
  out.clear();
  AppendJsonString(out, "\xE4\xFF");  // not UTF-8: taken as windows-1251
  EXPECT_EQ(out, "\"\xD0\xB4\xD1\x8F\"");
}

TEST(PreviewCommand, WritesOnePageNextToItsInput) {
  TempDir dir;
  const std::string input = dir.Write("tasks.txt", "Q?\r\n- a");
  Result r = RunWith({"preview", input});
  EXPECT_EQ(r.status, 0) << r.messages;
  EXPECT_EQ(r.messages, "");
  const std::string page = ReadFile(dir.File("tasks.html"));
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(page.find("<h1>tasks.txt</h1>"), std::string::npos);
  EXPECT_NE(page.find("no answer is marked"), std::string::npos);

  Result toStdout = RunWith({"preview", input, "-o", "-"});
  EXPECT_EQ(toStdout.status, 0);
  EXPECT_EQ(toStdout.output, page);

  Result same = RunWith({"preview", input, "-o", input});
  EXPECT_EQ(same.status, 1);
  EXPECT_EQ(same.messages, input + ": The output file would replace the input file.\n");
  EXPECT_EQ(ReadFile(input), "Q?\r\n- a");

  const std::string missing = dir.File("missing.txt");
  Result unread = RunWith({"preview", missing, "-o", dir.File("m.html")});
  EXPECT_EQ(unread.status, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("m.html")));
}

// A file chosen by mistake is refused by what it holds, whatever its name,
// by every command and in every encoding, and nothing is written for it.
TEST(Commands, RefuseFilesThatAreNoTaskText) {
  TempDir dir;
  const std::string rtf = dir.Write("tasks.txt", "{\\rtf1\\ansi Question?\\par + yes\\par - no}");
  const std::string zip =
      dir.Write("archive.zip", testing::ZipArchive({{"tasks.txt", "Q?\r\n+ a"}}));
  const std::string rtfRefusal =
      rtf +
      ": This is a rich text file (RTF), not a plain task text: open it in Word or "
      "WordPad, save it as a Word document (.docx) or as plain text (.txt), and convert "
      "that file.\n";
  const std::string zipRefusal =
      zip +
      ": Not a Word document (.docx): a ZIP archive that names no Word main document; "
      "unpack it and convert the task text or Word document it holds.\n";
  for (const char* encoding : {"auto", "cp1251", "utf8"}) {
    const Result converted = RunWith({"convert", "--encoding", encoding, rtf, zip});
    EXPECT_EQ(converted.status, 1);
    EXPECT_EQ(converted.messages, rtfRefusal + zipRefusal) << encoding;
  }
  const Result checked = RunWith({"check", rtf});
  EXPECT_EQ(checked.status, 2);
  EXPECT_EQ(checked.messages, rtfRefusal);
  const Result previewed = RunWith({"preview", zip});
  EXPECT_EQ(previewed.status, 1);
  EXPECT_EQ(previewed.messages, zipRefusal);
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"archive.zip", "tasks.txt"}));

  // A binary file read as a text: the count comes from the decoded text.
  std::string binary;
  for (int i = 0; i < 256; ++i) binary += static_cast<char>((i * 37) % 256);
  const std::string data = dir.Write("data.txt", binary);
  const Result json = RunWith({"check", "--format", "json", data});
  EXPECT_EQ(json.status, 2);
  EXPECT_NE(json.output.find("\"error\": \"This is not a task text: 28 of its 256 characters are "
                             "control characters"),
            std::string::npos)
      << json.output;
}

}  // namespace
}  // namespace texttoxml::cli
