// Word's own equations as the linear text a teacher would type.
#include "docx/office_math.h"

#include <gtest/gtest.h>

#include "docx/script_text.h"
#include "docx/xml_tree.h"
#include "docx_builder.h"

namespace texttoxml::docx {
namespace {

using testing::Utf8;

std::string Linear(std::string_view math) {
  const XmlElement root = ParseXml(
      "<m:oMath xmlns:m=\"http://schemas.openxmlformats.org/officeDocument/2006/math\" "
      "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">" +
          std::string(math) + "</m:oMath>",
      "test");
  return Utf8(LinearMathText(root));
}

std::string R(std::string_view text) {
  return "<m:r><w:rPr/><m:t>" + std::string(text) + "</m:t></m:r>";
}

TEST(ScriptText, UsesUnicodeFormsOnlyWhenEveryCharacterHasOne) {
  EXPECT_EQ(Utf8(Superscript(u"2")), "²");
  EXPECT_EQ(Utf8(Superscript(u"-(n+1)")), "⁻⁽ⁿ⁺¹⁾");
  EXPECT_EQ(Utf8(Superscript(u"\u22122")), "⁻²");
  EXPECT_EQ(Utf8(Superscript(u"2k")), "^(2k)");
  EXPECT_EQ(Utf8(Subscript(u"10")), "₁₀");
  EXPECT_EQ(Utf8(Subscript(u"x")), "ₓ");
  EXPECT_EQ(Utf8(Subscript(u"max")), "ₘₐₓ");
  EXPECT_EQ(Utf8(Subscript(u"min")), "_(min)");
}

TEST(OfficeMath, WritesStructuresAsLinearText) {
  EXPECT_EQ(
      Linear("<m:f><m:fPr/><m:num>" + R("a+b") + "</m:num><m:den>" + R("2") + "</m:den></m:f>"),
      "(a+b)/(2)");
  EXPECT_EQ(Linear("<m:rad><m:radPr><m:degHide m:val=\"1\"/></m:radPr><m:deg/><m:e>" + R("x") +
                   "</m:e></m:rad>"),
            "√(x)");
  EXPECT_EQ(Linear("<m:rad><m:deg>" + R("3") + "</m:deg><m:e>" + R("8") + "</m:e></m:rad>"),
            "∛(8)");
  EXPECT_EQ(Linear("<m:rad><m:deg>" + R("n") + "</m:deg><m:e>" + R("y") + "</m:e></m:rad>"),
            "ⁿ√(y)");
  EXPECT_EQ(
      Linear("<m:sSup><m:e>" + R("x") + "</m:e><m:sup>" + R("2") + "</m:sup></m:sSup>" + R("+") +
             "<m:sSub><m:e>" + R("a") + "</m:e><m:sub>" + R("ij") + "</m:sub></m:sSub>"),
      "x²+a_(ij)");
  EXPECT_EQ(Linear("<m:sSubSup><m:e>" + R("x") + "</m:e><m:sub>" + R("1") + "</m:sub><m:sup>" +
                   R("3") + "</m:sup></m:sSubSup>"),
            "x₁³");
  EXPECT_EQ(
      Linear("<m:d><m:dPr><m:begChr m:val=\"[\"/><m:endChr m:val=\"]\"/><m:sepChr "
             "m:val=\";\"/></m:dPr>"
             "<m:e>" +
             R("0") + "</m:e><m:e>" + R("1") + "</m:e></m:d><m:d><m:e>" + R("t") + "</m:e></m:d>"),
      "[0;1](t)");
  EXPECT_EQ(Linear("<m:nary><m:naryPr><m:chr m:val=\"∑\"/></m:naryPr><m:sub>" + R("i=1") +
                   "</m:sub><m:sup>" + R("n") + "</m:sup><m:e>" + R("i") + "</m:e></m:nary>"),
            "∑_(i=1)ⁿi");
  EXPECT_EQ(Linear("<m:nary><m:sub/><m:sup/><m:e>" + R("f") + "</m:e></m:nary>"), "∫f");
  EXPECT_EQ(Linear("<m:func><m:fName>" + R("sin") + "</m:fName><m:e>" + R("x") + "</m:e></m:func>"),
            "sin x");
  EXPECT_EQ(Linear("<m:func><m:fName>" + R("log") + "</m:fName><m:e><m:d><m:e>" + R("x") +
                   "</m:e></m:d></m:e></m:func>"),
            "log(x)");
  EXPECT_EQ(Linear("<m:acc><m:accPr><m:chr m:val=\"\u20D7\"/></m:accPr><m:e>" + R("a") +
                   "</m:e></m:acc>"),
            "a\u20D7");
  EXPECT_EQ(
      Linear("<m:m><m:mr><m:e>" + R("1") + "</m:e><m:e>" + R("0") + "</m:e></m:mr><m:mr><m:e>" +
             R("0") + "</m:e><m:e>" + R("1") + "</m:e></m:mr></m:m>"),
      "[1, 0; 0, 1]");
  EXPECT_EQ(Linear("<m:eqArr><m:e>" + R("x=1") + "</m:e><m:e>" + R("y=2") + "</m:e></m:eqArr>"),
            "x=1; y=2");
}

TEST(OfficeMath, EquationsInTheBodyAreWrittenAndNoted) {
  const std::string math = "<m:oMath><m:f><m:num>" + R("1") + "</m:num><m:den>" + R("2") +
                           "</m:den></m:f></m:oMath>";
  const docx::WordText read = ReadWordDocument(
      testing::DocxBuilder("<w:p><w:r><w:t xml:space=\"preserve\">x = </w:t></w:r>" + math +
                           "</w:p>"
                           "<w:p><m:oMathPara><m:oMath>" +
                           R("a") + "</m:oMath><m:oMath>" + R("b") +
                           "</m:oMath></m:oMathPara></w:p>")
          .Bytes());
  EXPECT_EQ(Utf8(read.text), "x = (1)/(2)\r\na b");
  ASSERT_EQ(read.facts.size(), 2u);
  EXPECT_EQ(read.facts[0].kind, FactKind::Equation);
  EXPECT_EQ(Utf8(read.facts[0].detail), "(1)/(2)");
  EXPECT_EQ(read.facts[1].line, 2u);
  EXPECT_EQ(Utf8(read.facts[1].detail), "a b");
}

}  // namespace
}  // namespace texttoxml::docx
