// Automatic numbering and bullets, as Word shows them and as a task reads
// them.
#include <gtest/gtest.h>

#include "docx/number_format.h"
#include "docx/word_document.h"
#include "docx_builder.h"

namespace texttoxml::docx {
namespace {

using testing::Utf8;

std::string Level(int level, std::string_view format, std::string_view text,
                  std::string_view extra = "") {
  return "<w:lvl w:ilvl=\"" + std::to_string(level) +
         "\"><w:start w:val=\"1\"/><w:numFmt w:val=\"" + std::string(format) +
         "\"/><w:lvlText w:val=\"" + std::string(text) + "\"/>" + std::string(extra) + "</w:lvl>";
}

std::string Numbered(std::string_view text, int numId, int level = 0) {
  return "<w:p><w:pPr><w:numPr><w:ilvl w:val=\"" + std::to_string(level) + "\"/><w:numId w:val=\"" +
         std::to_string(numId) + "\"/></w:numPr></w:pPr><w:r><w:t>" + std::string(text) +
         "</w:t></w:r></w:p>";
}

WordText ReadNumbered(std::string_view numbering, std::string_view body,
                      std::string_view styles = "") {
  testing::DocxBuilder builder(body);
  builder.Numbering(numbering);
  builder.Relationships({{"rId1", "numbering", "numbering.xml"}, {"rId2", "styles", "styles.xml"}});
  if (!styles.empty()) {
    builder.Part("word/styles.xml", "<w:styles" + std::string(testing::kWordNamespaces) + ">" +
                                        std::string(styles) + "</w:styles>");
  }
  return ReadWordDocument(builder.Bytes());
}

TEST(NumberFormat, WritesEachOfWordsFormats) {
  EXPECT_EQ(Utf8(FormatCounter(7, "decimal")), "7");
  EXPECT_EQ(Utf8(FormatCounter(7, "decimalZero")), "07");
  EXPECT_EQ(Utf8(FormatCounter(1, "lowerLetter")), "a");
  EXPECT_EQ(Utf8(FormatCounter(26, "upperLetter")), "Z");
  EXPECT_EQ(Utf8(FormatCounter(28, "lowerLetter")), "bb");
  EXPECT_EQ(Utf8(FormatCounter(1994, "upperRoman")), "MCMXCIV");
  EXPECT_EQ(Utf8(FormatCounter(4, "lowerRoman")), "iv");
  // The Russian letters skip ё, й, ъ, ы and ь.
  EXPECT_EQ(Utf8(FormatCounter(1, "russianLower")), "а");
  EXPECT_EQ(Utf8(FormatCounter(10, "russianLower")), "к");
  EXPECT_EQ(Utf8(FormatCounter(28, "russianUpper")), "Я");
  EXPECT_EQ(Utf8(FormatCounter(29, "russianLower")), "аа");
  EXPECT_EQ(Utf8(FormatCounter(3, "bullet")), "");
  EXPECT_EQ(Utf8(FormatCounter(3, "ordinalText")), "3");
  // What a format cannot show is written as decimal.
  EXPECT_EQ(Utf8(FormatCounter(0, "lowerLetter")), "0");
  EXPECT_EQ(Utf8(FormatCounter(4000, "upperRoman")), "4000");
  EXPECT_EQ(Utf8(FormatCounter(32767, "lowerLetter")), "32767");
}

TEST(DocxNumbering, DropsTheQuestionNumberAndKeepsVariantLabels) {
  const std::string numbering = "<w:abstractNum w:abstractNumId=\"0\">" +
                                Level(0, "decimal", "%1.") +
                                Level(1, "russianLower", "%2)", "<w:suff w:val=\"space\"/>") +
                                "</w:abstractNum>"
                                "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>";
  const WordText read = ReadNumbered(
      numbering, Numbered("Вопрос один", 1) + Numbered("первый", 1, 1) + Numbered("второй", 1, 1) +
                     "<w:p/>" + Numbered("Вопрос два", 1) + Numbered("третий", 1, 1));
  EXPECT_EQ(Utf8(read.text),
            "Вопрос один\r\nа) первый\r\nб) второй\r\n\r\nВопрос два\r\nа) третий");
  ASSERT_GE(read.facts.size(), 2u);
  EXPECT_EQ(read.facts[0].kind, FactKind::DroppedNumber);
  EXPECT_EQ(read.facts[0].line, 1u);
  EXPECT_EQ(Utf8(read.facts[0].detail), "1.");
  const auto dropped = std::find_if(read.facts.begin() + 1, read.facts.end(), [](const Fact& f) {
    return f.kind == FactKind::DroppedNumber;
  });
  ASSERT_NE(dropped, read.facts.end());
  EXPECT_EQ(dropped->line, 5u);
  EXPECT_EQ(Utf8(dropped->detail), "2.");
}

TEST(DocxNumbering, CountsAcrossListsOfOneDefinitionAndRestartsOnOverride) {
  const std::string numbering =
      "<w:abstractNum w:abstractNumId=\"3\">" +
      Level(0, "decimal", "%1.", "<w:suff w:val=\"nothing\"/>") +
      Level(1, "decimal", "%1.%2", "<w:suff w:val=\"nothing\"/>") +
      Level(2, "lowerLetter", "%3", "<w:suff w:val=\"nothing\"/><w:lvlRestart w:val=\"1\"/>") +
      "</w:abstractNum>"
      "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"3\"/></w:num>"
      "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"3\"/></w:num>"
      "<w:num w:numId=\"5\"><w:abstractNumId w:val=\"3\"/><w:lvlOverride w:ilvl=\"0\">"
      "<w:startOverride w:val=\"4\"/></w:lvlOverride></w:num>";
  // The first line is a task's first, so its label is dropped; every other
  // line keeps its label.
  const WordText read = ReadNumbered(
      numbering, testing::Para("Q") + Numbered("a", 1) + Numbered("b", 1, 1) + Numbered("c", 1, 2) +
                     Numbered("d", 1, 1) + Numbered("e", 1, 2) + Numbered("f", 2) +
                     Numbered("g", 2, 2) + Numbered("h", 5) + Numbered("i", 5) + Numbered("j", 1));
  EXPECT_EQ(Utf8(read.text),
            "Q\r\n1.a\r\n1.1b\r\nac\r\n1.2d\r\nbe\r\n2.f\r\nag\r\n4.h\r\n5.i\r\n6.j");
}

TEST(DocxNumbering, BulletsShowTheCharacterTheirFontDraws) {
  const std::string numbering =
      "<w:abstractNum w:abstractNumId=\"0\">" +
      Level(0, "bullet", "\uF0B7",
            "<w:rPr><w:rFonts w:ascii=\"Symbol\" w:hAnsi=\"Symbol\"/></w:rPr>") +
      Level(1, "bullet", "\uF0A7", "<w:rPr><w:rFonts w:ascii=\"Wingdings\"/></w:rPr>") +
      Level(2, "bullet", "\uF0D8", "<w:rPr><w:rFonts w:ascii=\"Wingdings\"/></w:rPr>") +
      Level(3, "bullet", "\uF076", "<w:rPr><w:rFonts w:hAnsi=\"Wingdings\"/></w:rPr>") +
      Level(4, "bullet", "\uF0FC", "<w:rPr><w:rFonts w:ascii=\"wingdings\"/></w:rPr>") +
      Level(5, "bullet", "\uF0A8", "<w:rPr><w:rFonts w:ascii=\"Wingdings\"/></w:rPr>") +
      Level(6, "bullet", "\uF02D", "<w:rPr><w:rFonts w:ascii=\"Symbol\"/></w:rPr>") +
      Level(7, "bullet", "o", "<w:rPr><w:rFonts w:ascii=\"Courier New\"/></w:rPr>") +
      "</w:abstractNum><w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>";
  std::string body = testing::Para("Q");
  for (int level = 0; level < 8; ++level) body += Numbered("x", 1, level);
  EXPECT_EQ(Utf8(ReadNumbered(numbering, body).text),
            "Q\r\n•\tx\r\n▪\tx\r\n➢\tx\r\n❖\tx\r\n✓\tx\r\n□\tx\r\n-\tx\r\no\tx");
}

TEST(DocxNumbering, ParagraphStylesCarryNumbering) {
  const std::string numbering =
      "<w:abstractNum w:abstractNumId=\"0\">" + Level(0, "upperLetter", "%1)") +
      Level(1, "decimal", "(%2)") +
      "</w:abstractNum><w:num w:numId=\"7\"><w:abstractNumId w:val=\"0\"/></w:num>";
  const std::string styles =
      "<w:style w:type=\"paragraph\" w:styleId=\"ListBase\"><w:pPr><w:numPr><w:numId w:val=\"7\"/>"
      "</w:numPr></w:pPr></w:style>"
      "<w:style w:type=\"paragraph\" w:styleId=\"Answer\"><w:basedOn w:val=\"ListBase\"/></w:style>"
      "<w:style w:type=\"paragraph\" w:styleId=\"Loop\"><w:basedOn w:val=\"Loop\"/></w:style>";
  auto styled = [](std::string_view style, std::string_view text, std::string_view numPr = "") {
    return "<w:p><w:pPr><w:pStyle w:val=\"" + std::string(style) + "\"/>" + std::string(numPr) +
           "</w:pPr><w:r><w:t>" + std::string(text) + "</w:t></w:r></w:p>";
  };
  const std::string body = testing::Para("Q") + styled("Answer", "one") +
                           styled("ListBase", "two") +
                           styled("Answer", "sub", "<w:numPr><w:ilvl w:val=\"1\"/></w:numPr>") +
                           styled("Answer", "none", "<w:numPr><w:numId w:val=\"0\"/></w:numPr>") +
                           styled("Loop", "loop");
  EXPECT_EQ(Utf8(ReadNumbered(numbering, body, styles).text),
            "Q\r\nA)\tone\r\nB)\ttwo\r\n(1)\tsub\r\nnone\r\nloop");
}

TEST(DocxNumbering, UndefinedListsAndEmptyParagraphsShowNoLabel) {
  const std::string numbering =
      "<w:abstractNum w:abstractNumId=\"0\">" + Level(0, "decimal", "%1.") +
      "</w:abstractNum><w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>"
      "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"9\"/></w:num>";
  const WordText read = ReadNumbered(
      numbering, testing::Para("Q") + Numbered("", 1) + Numbered("x", 1) + Numbered("y", 2) +
                     Numbered("z", 3) + Numbered("w", 1, 4) + Numbered("%9", 1));
  // The empty paragraph is a blank line, though Word counts it, so the next
  // label of the list is dropped as a question number.
  EXPECT_EQ(Utf8(read.text), "Q\r\n\r\nx\r\ny\r\nz\r\nw\r\n3.\t%9");
}

}  // namespace
}  // namespace texttoxml::docx
