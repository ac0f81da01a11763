// Documents written by others, with the tools of others: each is read or
// refused with one message.
#include <gtest/gtest.h>

#include <filesystem>

#include "docx/docx_errors.h"
#include "docx/word_document.h"
#include "docx_builder.h"
#include "test_support.h"

namespace texttoxml::docx {
namespace {

std::vector<std::filesystem::path> SharedDocuments() {
  std::vector<std::filesystem::path> documents;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(TEXTTOXML_SHARED_DOCX)) {
    if (entry.path().extension() == ".docx") documents.push_back(entry.path());
  }
  std::sort(documents.begin(), documents.end());
  return documents;
}

WordText ReadShared(std::string_view name) {
  return ReadWordDocument(
      testing::ReadFile(std::string(TEXTTOXML_SHARED_DOCX) + "/" + std::string(name)));
}

TEST(SharedDocuments, EachIsReadOrRefused) {
  const auto documents = SharedDocuments();
  ASSERT_GE(documents.size(), 40u);
  for (const auto& path : documents) {
    const std::string bytes = testing::ReadFile(path.string());
    try {
      const WordText read = ReadWordDocument(bytes);
      EXPECT_TRUE(IsWordDocument(bytes)) << path;
      EXPECT_EQ(read.lines.size(), testing::SplitText(testing::Utf8(read.text), "\r\n").size())
          << path;
    } catch (const DocxError& error) {
      EXPECT_FALSE(std::string(error.what()).empty()) << path;
    }
  }
}

TEST(SharedDocuments, KnownContentIsRead) {
  const WordText tables = ReadShared("mammoth/tables.docx");
  EXPECT_NE(tables.text.find(u"Top left"), std::u16string::npos);
  EXPECT_TRUE(std::any_of(tables.facts.begin(), tables.facts.end(),
                          [](const Fact& f) { return f.kind == FactKind::Table; }));
  const WordText strict = ReadShared("mammoth/strict-format.docx");
  EXPECT_FALSE(strict.text.empty());
  const WordText linked = ReadShared("mammoth/external-picture.docx");
  EXPECT_TRUE(linked.pictures.empty());
  EXPECT_TRUE(std::any_of(linked.facts.begin(), linked.facts.end(),
                          [](const Fact& f) { return f.kind == FactKind::LinkedPicture; }));
  const WordText pictures = ReadShared("mammoth/tiny-picture.docx");
  ASSERT_FALSE(pictures.pictures.empty());
  EXPECT_EQ(pictures.pictures[0].extension, "png");
  EXPECT_NE(pictures.text.find(u"[" + platform::Utf8ToUtf16(pictures.pictures[0].name).text + u"]"),
            std::u16string::npos);
}

}  // namespace
}  // namespace texttoxml::docx
