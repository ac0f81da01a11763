// Word documents through the commands: a document converts like the task
// text it holds, with the pictures it holds, and extract gives that text.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "cli/run_support.h"
#include "zero_guids.h"

namespace texttoxml::cli {
namespace {

namespace fs = std::filesystem;

const fs::path kDocuments = fs::path(TEXTTOXML_TEST_DATA) / "docx";
const fs::path kExamples = fs::path(TEXTTOXML_SOURCE_DIR) / "examples";
constexpr const char* kDate = "2013-07-24T15:04:05";

// A document copied into `dir`, alone: its pictures can come only from itself.
std::string CopyDocument(const TempDir& dir, const std::string& name) {
  fs::copy_file(kDocuments / name, dir.File(name));
  return dir.File(name);
}

// The XML of a conversion, with the random picture names and the group
// title (the input's file name) taken out.
std::string Converted(const std::string& input) {
  const RunResult r = RunWith({"convert", input, "-o", "-", "--date", kDate, "--quiet"});
  EXPECT_EQ(r.status, 0) << r.messages;
  return std::regex_replace(testing::WithZeroGuids(r.output), std::regex("<Title>[^<]*</Title>"),
                            "<Title/>");
}

TEST(Documents, TheSampleAsADocumentConvertsAsTheSampleText) {
  TempDir dir;
  const std::string document = CopyDocument(dir, "sample.docx");
  EXPECT_EQ(Converted(document), Converted((kExamples / "sample.txt").string()));

  // Extracted, its text and pictures convert to the same bytes.
  fs::create_directory(dir.File("text"));
  const RunResult extracted = RunWith({"extract", document, "-O", dir.File("text")});
  ASSERT_EQ(extracted.status, 0) << extracted.messages;
  EXPECT_EQ(FolderEntries(dir.File("text")),
            (std::vector<std::string>{"Pushkin.jpg", "formula1.png", "formula2.png", "formula3.png",
                                      "sample.txt"}));
  EXPECT_EQ(ReadFile(dir.File("text/formula1.png")),
            ReadFile((kExamples / "formula1.png").string()));
  const std::string text = ReadFile(dir.File("text/sample.txt"));
  EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF"));
  EXPECT_NE(text.find("\r\n"), std::string::npos);
  EXPECT_EQ(Converted(dir.File("text/sample.txt")), Converted(document));
}

// A picture the document holds comes before a file of its name beside it.
TEST(Documents, PicturesOfTheDocumentComeFirst) {
  TempDir dir;
  const std::string document = CopyDocument(dir, "sample.docx");
  const std::string alone = Converted(document);
  fs::copy_file(kExamples / "formula2.png", dir.File("formula1.png"));
  fs::copy_file(kExamples / "formula1.png", dir.File("Pushkin.jpg"));
  EXPECT_EQ(Converted(document), alone);
}

TEST(Documents, FindingsNameTheParagraphAndItsFirstWords) {
  TempDir dir;
  const std::string document = CopyDocument(dir, "findings.docx");
  const RunResult text = RunWith({"check", document});
  EXPECT_EQ(text.status, 1);
  EXPECT_NE(text.output.find(document + ": paragraph 9 (\"На рисунке [image1.png] изображен\"): "
                                        "warning: picture \"image1.png\" stands inside a line"),
            std::string::npos)
      << text.output;
  EXPECT_NE(text.output.find("read as a Word document"), std::string::npos);
  const RunResult json = RunWith({"check", "--format", "json", document});
  EXPECT_NE(json.output.find("\"paragraph\": 9, \"words\": \"На рисунке [image1.png] изображен\""),
            std::string::npos)
      << json.output;
  // convert tells the same warnings as it converts.
  const RunResult converted = RunWith({"convert", document, "-o", dir.File("f.xml")});
  EXPECT_NE(converted.messages.find("paragraph 9"), std::string::npos);
}

// Each test document converts, or is refused with one line that names it;
// refused documents leave no output behind.
TEST(Documents, EachConvertsOrIsRefusedWithOneLine) {
  for (const auto& entry : fs::directory_iterator(kDocuments)) {
    const std::string name = entry.path().filename().string();
    if (!name.ends_with(".docx") && !name.ends_with(".doc")) continue;
    SCOPED_TRACE(name);
    TempDir dir;
    const std::string document = CopyDocument(dir, name);
    const RunResult r = RunWith({"convert", "--quiet", document, "-o", dir.File("out.xml")});
    if (r.status == 0) {
      EXPECT_TRUE(fs::exists(dir.File("out.xml")));
      continue;
    }
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(testing::SplitText(r.messages, "\n").size(), 2u) << r.messages;
    EXPECT_TRUE(r.messages.starts_with(document + ": ")) << r.messages;
    EXPECT_FALSE(fs::exists(dir.File("out.xml")));
  }
}

// The preview shows what the document became, and its pictures.
TEST(Documents, ThePreviewShowsTheTextRead) {
  TempDir dir;
  const std::string document = CopyDocument(dir, "sample.docx");
  const RunResult r = RunWith({"preview", document, "-o", "-"});
  ASSERT_EQ(r.status, 0) << r.messages;
  EXPECT_NE(r.output.find("The task text read from the document</summary><pre class=\"block\">"
                          "Какой месяц идет после марта?\n- январь"),
            std::string::npos);
  EXPECT_NE(r.output.find("data:image/jpeg;base64,"), std::string::npos);
  const RunResult text = RunWith({"preview", (kExamples / "sample.txt").string(), "-o", "-"});
  EXPECT_EQ(text.output.find("read from the document"), std::string::npos);
}

TEST(Documents, ExtractTakesOnlyDocuments) {
  TempDir dir;
  const std::string text = dir.Write("tasks.txt", "Q?\r\n+ a\r\n");
  const RunResult r = RunWith({"extract", text});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages,
            text + ": This is a task text, not a Word document (.docx): convert it as it is.\n");
  EXPECT_FALSE(fs::exists(dir.File("tasks.txt.txt")));
  EXPECT_EQ(RunWith({"extract", text, "--encoding", "utf8"}).status, 2);
}

}  // namespace
}  // namespace texttoxml::cli
