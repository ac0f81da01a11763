// What only a document has, noted for the findings.
#include <gtest/gtest.h>

#include "docx/word_document.h"
#include "docx_builder.h"

namespace texttoxml::docx {
namespace {

using testing::Para;
using testing::Utf8;

// The facts as "LINE KIND DETAIL" strings, for whole-list comparisons.
std::vector<std::string> FactsOf(const std::string& body, std::string_view numbering = "") {
  testing::DocxBuilder builder(body);
  if (!numbering.empty()) {
    builder.Numbering(numbering).Relationships({{"rId1", "numbering", "numbering.xml"}});
  }
  static constexpr const char* kNames[] = {"DroppedNumber",     "BulletBeforeAnswer",
                                           "PictureInSentence", "Equation",
                                           "LinkedPicture",     "Table",
                                           "TextBox",           "Comment",
                                           "TrackedChange",     "HiddenText",
                                           "NoEmptyParagraph",  "CorrectByFormat"};
  std::vector<std::string> facts;
  for (const auto& fact : ReadWordDocument(builder.Bytes()).facts) {
    facts.push_back(std::to_string(fact.line) + " " + kNames[static_cast<int>(fact.kind)] +
                    (fact.detail.empty() ? "" : " " + Utf8(fact.detail)));
  }
  return facts;
}

std::string Spaced(std::string_view text, std::string_view spacing) {
  return "<w:p><w:pPr><w:spacing " + std::string(spacing) + "/></w:pPr><w:r><w:t>" +
         std::string(text) + "</w:t></w:r></w:p>";
}

std::string Emphasised(std::string_view text, std::string_view property) {
  return "<w:p><w:r><w:rPr>" + std::string(property) + "</w:rPr><w:t>" + std::string(text) +
         "</w:t></w:r></w:p>";
}

TEST(DocxFacts, StructuresMetAreNotedOncePerParagraph) {
  const std::string body =
      "<w:tbl><w:tr><w:tc>" + Para("a") + Para("b") +
      "</w:tc></w:tr></w:tbl>"
      "<w:p><w:commentRangeStart w:id=\"0\"/><w:r><w:t>c</w:t></w:r><w:commentRangeEnd w:id=\"0\"/>"
      "<w:r><w:commentReference w:id=\"0\"/></w:r></w:p>"
      "<w:p><w:ins><w:r><w:t>d</w:t></w:r></w:ins><w:del><w:r><w:delText>e</w:delText></w:r></"
      "w:del></w:p>"
      "<w:p><w:r><w:rPr><w:vanish/></w:rPr><w:t>f</w:t><w:t>g</w:t></w:r></w:p>"
      "<w:p><w:r><w:t>h</w:t><w:br/></w:r><w:r><w:drawing><wps:txbx><w:txbxContent>" +
      Para("i") + "</w:txbxContent></wps:txbx></w:drawing></w:r></w:p>";
  EXPECT_EQ(FactsOf(body), (std::vector<std::string>{"1 Table", "3 Comment", "4 TrackedChange",
                                                     "5 HiddenText", "7 TextBox"}));
}

TEST(DocxFacts, BulletsWhereMarkersBelongAreNoted) {
  auto level = [](int n, std::string_view format, std::string_view text) {
    return "<w:lvl w:ilvl=\"" + std::to_string(n) + "\"><w:numFmt w:val=\"" + std::string(format) +
           "\"/><w:lvlText w:val=\"" + std::string(text) + "\"/></w:lvl>";
  };
  const std::string numbering = "<w:abstractNum w:abstractNumId=\"0\">" + level(0, "bullet", "•") +
                                level(1, "bullet", "–") + level(2, "lowerLetter", "%3)") +
                                level(3, "decimal", "%4.") +
                                "</w:abstractNum>"
                                "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>";
  auto item = [](std::string_view text, int level) {
    return "<w:p><w:pPr><w:numPr><w:ilvl w:val=\"" + std::to_string(level) +
           "\"/><w:numId w:val=\"1\"/></w:numPr></w:pPr><w:r><w:t>" + std::string(text) +
           "</w:t></w:r></w:p>";
  };
  // A bullet on a task's first line is dropped; a dash bullet reads as the
  // "-" marker and a decimal label as an ordering place, so neither is
  // noted.
  EXPECT_EQ(
      FactsOf(item("Q", 0) + item("a", 0) + item("b", 1) + item("c", 2) + item("d", 3), numbering),
      (std::vector<std::string>{"1 DroppedNumber •", "2 BulletBeforeAnswer •",
                                "4 BulletBeforeAnswer a)"}));
}

TEST(DocxFacts, TasksSeparatedOnlyBySpacingAreNoted) {
  EXPECT_EQ(FactsOf(Para("Q1") + Para("+ a") + Spaced("- b", "w:after=\"240\"") + Para("Q2") +
                    Para("= 5") + Spaced("Q3", "w:before=\"120\"") + Para("+ x") +
                    Spaced("- y", "w:after=\"0\"") + Para("Q4") + Spaced("= 1", "w:after=\"200\"") +
                    "<w:p/>" + Para("Q5") + Spaced("+ z", "w:afterLines=\"100\"") +
                    Spaced("1 ordering", "w:before=\"100\"")),
            (std::vector<std::string>{"4 NoEmptyParagraph Q2", "6 NoEmptyParagraph Q3"}));
}

TEST(DocxFacts, CorrectAnswersMarkedOnlyByFormatAreNoted) {
  const std::string bold = "<w:b/>";
  const std::string red = "<w:color w:val=\"FF0000\"/>";
  EXPECT_EQ(FactsOf(Emphasised("Вопрос?", bold) + Para("январь") + Emphasised("апрель", bold) +
                    Emphasised("май", red) + "<w:p/>" +
                    // Every variant bold: nothing stands apart.
                    Para("Q2") + Emphasised("a", bold) + Emphasised("b", bold) + "<w:p/>" +
                    // A "+" already marks the correct one.
                    Para("Q3") + Para("+ a") + Emphasised("- b", bold) + "<w:p/>" +
                    // Black, automatic and switched-off formats are plain.
                    Para("Q4") + Emphasised("a", "<w:color w:val=\"000000\"/>") +
                    Emphasised("b", "<w:b w:val=\"0\"/><w:color w:val=\"auto\"/>") + "<w:p/>" +
                    // Bold blanks do not make a variant bold.
                    Para("Q5") +
                    "<w:p><w:r><w:rPr><w:b/></w:rPr><w:t xml:space=\"preserve\"> </w:t></w:r>"
                    "<w:r><w:t>x</w:t></w:r></w:p>" +
                    Emphasised("y", bold) + Para("z")),
            (std::vector<std::string>{"3 CorrectByFormat апрель", "4 CorrectByFormat май",
                                      "20 CorrectByFormat y"}));
}

}  // namespace
}  // namespace texttoxml::docx
