// Files that are no readable Word document, from the harmless to the
// hostile: each is refused with one message, and nothing is returned.
#include "docx/package.h"

#include <gtest/gtest.h>

#include "docx/docx_errors.h"
#include "docx/word_document.h"
#include "docx_builder.h"

namespace texttoxml::docx {
namespace {

using testing::DocxBuilder;
using testing::Para;

std::string MessageOf(const std::string& bytes) {
  try {
    ReadWordDocument(bytes);
  } catch (const DocxError& error) {
    return error.what();
  }
  return "read";
}

std::string WithMainPart(const std::string& xml) {
  return DocxBuilder("").Part("word/document.xml", xml).Bytes();
}

std::string Nested(std::size_t depth) {
  std::string xml;
  for (std::size_t i = 0; i < depth; ++i) xml += "<a>";
  for (std::size_t i = 0; i < depth; ++i) xml += "</a>";
  return xml;
}

TEST(DocxPackage, RecognisesWordDocumentsByContent) {
  EXPECT_TRUE(IsWordDocument(DocxBuilder(Para("x")).Bytes()));
  EXPECT_FALSE(IsWordDocument(""));
  EXPECT_FALSE(IsWordDocument("Вопрос?\r\n+ да"));
  EXPECT_FALSE(IsWordDocument(testing::ZipArchive({{"a.txt", "x"}})));
  EXPECT_FALSE(IsWordDocument("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 rest of a .doc"));
}

TEST(DocxPackage, SaysWhatAFileIsWhenItIsNoWordDocument) {
  const std::string notZip = "Not a Word document (.docx): the file is not a ZIP archive";
  EXPECT_EQ(MessageOf(""), notZip);
  EXPECT_EQ(MessageOf("plain text"), notZip);
  EXPECT_EQ(MessageOf(testing::ZipArchive({{"a.txt", "x"}})),
            "Not a Word document (.docx): a ZIP archive that names no Word main document; unpack "
            "it and convert the task text or Word document it holds");
  EXPECT_EQ(
      MessageOf("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 rest of a .doc"),
      "A Word 97-2003 document (.doc) or a document protected by a password: open it in Word and "
      "save it as a Word document (.docx) without a password (File → Save As → Word Document)");
  EXPECT_EQ(MessageOf(DocxBuilder("").Part("word/document.xml", "").Bytes().substr(0, 0) +
                      testing::ZipArchive(
                          {{"_rels/.rels", testing::RelationshipsPart(
                                               {{"r", "officeDocument", "word/gone.xml"}})}})),
            "The Word document is damaged: its main part \"word/gone.xml\" is missing");
  EXPECT_EQ(
      MessageOf(WithMainPart("<p:presentation xmlns:p=\"urn:p\"/>")),
      "Not a Word document (.docx): an Office document of another kind, such as a spreadsheet or "
      "a presentation; copy its tasks into a Word document or a plain text file (.txt)");
}

TEST(DocxPackage, DamagedArchivesAndPartsAreRefused) {
  const std::string good = DocxBuilder(Para(std::string(3000, 'x') + "end")).Bytes();
  EXPECT_EQ(MessageOf(good.substr(0, good.size() / 2)),
            "The Word document is damaged: its ZIP archive is truncated or corrupt (its end, the "
            "central directory, is missing)");
  // A byte changed inside the compressed main part: the checksum or the
  // inflation fails.
  std::string corrupt = good;
  const std::size_t part = corrupt.find("word/document.xml");
  ASSERT_NE(part, std::string::npos);
  corrupt[part + 40] = static_cast<char>(corrupt[part + 40] ^ 0x55);
  EXPECT_TRUE(MessageOf(corrupt).starts_with(
      "The Word document is damaged: its ZIP archive is truncated or corrupt ("))
      << MessageOf(corrupt);
  EXPECT_EQ(
      MessageOf(WithMainPart("<w:document>\n<unclosed>")),
      "The Word document is damaged: part \"word/document.xml\" is not well-formed XML (line 1: "
      "unbound prefix)");
  EXPECT_EQ(
      MessageOf(WithMainPart("<a>\n<b></a>")),
      "The Word document is damaged: part \"word/document.xml\" is not well-formed XML (line 2: "
      "mismatched tag)");
}

TEST(DocxPackage, XmlThatCouldExhaustTheMachineIsRefused) {
  const std::string laughs =
      "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
      "\"&a;&a;&a;&a;&a;\">]>"
      "<d>&b;</d>";
  EXPECT_EQ(MessageOf(WithMainPart(laughs)),
            "The Word document is refused: part \"word/document.xml\" declares a document type "
            "(DTD), which "
            "Word never writes");
  EXPECT_EQ(MessageOf(WithMainPart("<!DOCTYPE d SYSTEM \"file:///etc/passwd\"><d>&x;</d>")),
            "The Word document is refused: part \"word/document.xml\" declares a document type "
            "(DTD), which "
            "Word never writes");
  EXPECT_EQ(
      MessageOf(WithMainPart(Nested(300))),
      "The Word document is refused: part \"word/document.xml\" nests elements deeper than 256");
  EXPECT_EQ(
      MessageOf(WithMainPart(Nested(255))),
      "Not a Word document (.docx): an Office document of another kind, such as a spreadsheet or "
      "a presentation; copy its tasks into a Word document or a plain text file (.txt)");
  std::string attributes = "<a";
  for (int i = 0; i <= 1000; ++i) attributes += " x" + std::to_string(i) + "=\"\"";
  EXPECT_EQ(
      MessageOf(WithMainPart(attributes + "/>")),
      "The Word document is refused: part \"word/document.xml\" has an element with more than 1000 "
      "attributes");
}

TEST(DocxPackage, ZipBombsAreRefused) {
  // Eight MiB of one repeated paragraph compress about 1000 times.
  EXPECT_EQ(
      MessageOf(WithMainPart(std::string(8 * 1024 * 1024, ' '))),
      "The Word document is refused: part \"word/document.xml\" is compressed more than 1000:1, as "
      "only a ZIP bomb is");
}

TEST(DocxPackage, ArchivesOfTooManyEntriesAreRefused) {
  std::map<std::string, std::string> many{{"_rels/.rels", ""}};
  for (int i = 0; i <= 10000; ++i) many["p" + std::to_string(i)] = "";
  EXPECT_EQ(
      MessageOf(testing::ZipArchive(many)),
      "The Word document is refused: its ZIP archive holds 10002 entries; the limit is 10000");
}

TEST(DocxPackage, EachPartIsBoundedHoweverWellItCompresses) {
  const std::string bytes = testing::ZipArchive({{"big", std::string(100, 'x')}});
  Package package(bytes);
  EXPECT_EQ(package.Read("big", 100)->size(), 100u);
  EXPECT_FALSE(package.Read("absent", 100));
  EXPECT_TRUE(package.Read("/BIG", 100));  // part names ignore case
  try {
    package.Read("big", 99);
    ADD_FAILURE() << "read past the limit";
  } catch (const RefusedDocumentError& error) {
    EXPECT_STREQ(error.what(),
                 "The Word document is refused: part \"big\" unpacks to more than 99 bytes");
  }
}

}  // namespace
}  // namespace texttoxml::docx
