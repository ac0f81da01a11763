// The documents of tests/data/docx, made with python-docx and LibreOffice by
// the scripts beside them: each reads to the task text recorded beside it
// (written from what Word shows), or is refused with a message that holds
// the recorded phrase.
#include <gtest/gtest.h>

#include <filesystem>

#include "docx/docx_errors.h"
#include "docx/word_document.h"
#include "docx_builder.h"
#include "test_support.h"

namespace texttoxml::docx {
namespace {

namespace fs = std::filesystem;

const fs::path kDocuments = fs::path(TEXTTOXML_TEST_DATA) / "docx";

// The recorded texts have LF line ends and no byte order mark.
std::string AsRecorded(std::u16string_view text) {
  std::string utf8 = testing::Utf8(text);
  std::string lf;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
    lf += utf8[i];
  }
  return lf;
}

std::string WithoutFinalLineBreak(std::string text) {
  while (text.ends_with('\n')) text.pop_back();
  return text;
}

// The document beside a recorded file: NAME.docx, or NAME.doc.
fs::path DocumentOf(const fs::path& recorded, std::string_view suffix) {
  const std::string stem = recorded.filename().string();
  const fs::path base = recorded.parent_path() / stem.substr(0, stem.size() - suffix.size());
  return fs::exists(base.string() + ".docx") ? base.string() + ".docx" : base.string() + ".doc";
}

std::vector<fs::path> Recorded(std::string_view suffix) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kDocuments)) {
    if (entry.path().filename().string().ends_with(suffix)) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(RecordedDocuments, ReadToTheirRecordedText) {
  const auto recorded = Recorded(".expected.txt");
  ASSERT_GE(recorded.size(), 15u);
  for (const fs::path& expected : recorded) {
    const fs::path document = DocumentOf(expected, ".expected.txt");
    SCOPED_TRACE(document.filename().string());
    const WordText read = ReadWordDocument(testing::ReadFile(document.string()));
    EXPECT_EQ(WithoutFinalLineBreak(AsRecorded(read.text)),
              WithoutFinalLineBreak(testing::ReadFile(expected.string())));
    EXPECT_EQ(read.lines.size(), testing::SplitText(testing::Utf8(read.text), "\r\n").size());
  }
}

TEST(RecordedDocuments, AreRefusedWithTheirRecordedReason) {
  const auto recorded = Recorded(".expected-error.txt");
  ASSERT_GE(recorded.size(), 8u);
  for (const fs::path& phrase : recorded) {
    const fs::path document = DocumentOf(phrase, ".expected-error.txt");
    SCOPED_TRACE(document.filename().string());
    try {
      ReadWordDocument(testing::ReadFile(document.string()));
      ADD_FAILURE() << "read";
    } catch (const DocxError& error) {
      EXPECT_NE(
          std::string(error.what()).find(WithoutFinalLineBreak(testing::ReadFile(phrase.string()))),
          std::string::npos)
          << error.what();
    }
  }
}

}  // namespace
}  // namespace texttoxml::docx
