// How the body of a document becomes the lines of the task text.
#include <gtest/gtest.h>

#include "docx/word_document.h"
#include "docx_builder.h"

namespace texttoxml::docx {
namespace {

using testing::Para;
using testing::TextOfBody;

TEST(DocxText, ParagraphsAreLinesAndEmptyOnesBlankLines) {
  EXPECT_EQ(TextOfBody(Para("Вопрос?") + Para("+ да") + "<w:p/>" + Para("Q2") + "<w:sectPr/>"),
            "Вопрос?\r\n+ да\r\n\r\nQ2");
  EXPECT_EQ(TextOfBody(""), "");
}

TEST(DocxText, RunsJoinAndBreaksTabsAndSymbolsAreCharacters) {
  EXPECT_EQ(TextOfBody("<w:p><w:r><w:t>Пло</w:t></w:r><w:r><w:t xml:space=\"preserve\">щадь </w:t>"
                       "<w:tab/><w:t>x</w:t><w:br/><w:t>y</w:t><w:cr/><w:t>z</w:t>"
                       "<w:br w:type=\"page\"/><w:t>w</w:t><w:noBreakHyphen/><w:softHyphen/>"
                       "<w:sym w:font=\"Symbol\" w:char=\"F061\"/></w:r></w:p>"),
            "Площадь \tx\r\ny\r\nzw\u2011\u03B1");
  // Line breaks written as character references are no breaks of the
  // document's: only its own elements end a line.
  EXPECT_EQ(TextOfBody("<w:p><w:r><w:t>a&#10;b&#13;&#10;c\td</w:t></w:r></w:p>"), "a b  c\td");
  // Text in a symbol font shows the font's characters.
  EXPECT_EQ(TextOfBody("<w:p><w:r><w:rPr><w:rFonts w:ascii=\"Symbol\" w:hAnsi=\"Symbol\"/></w:rPr>"
                       "<w:t>p\uF0B3</w:t></w:r></w:p>"),
            "\u03C0\u2265");
  EXPECT_EQ(
      TextOfBody("<w:p><w:r><w:t>м</w:t></w:r><w:r><w:rPr><w:vertAlign w:val=\"superscript\"/>"
                 "</w:rPr><w:t>2</w:t></w:r><w:r><w:t> H</w:t></w:r><w:r><w:rPr>"
                 "<w:vertAlign w:val=\"subscript\"/></w:rPr><w:t>2</w:t></w:r><w:r><w:rPr>"
                 "<w:vertAlign w:val=\"superscript\"/></w:rPr><w:t>abc</w:t></w:r></w:p>"),
      "м² H₂^(abc)");
}

TEST(DocxText, TrackedChangesKeepInsertionsAndDropDeletions) {
  EXPECT_EQ(TextOfBody("<w:p><w:r><w:t>a</w:t></w:r><w:ins><w:r><w:t>b</w:t></w:r></w:ins>"
                       "<w:del><w:r><w:delText>c</w:delText></w:r></w:del>"
                       "<w:moveFrom><w:r><w:t>d</w:t></w:r></w:moveFrom>"
                       "<w:moveTo><w:r><w:t>e</w:t></w:r></w:moveTo></w:p>"),
            "abe");
}

TEST(DocxText, FieldsShowTheirResultOnly) {
  EXPECT_EQ(
      TextOfBody("<w:p><w:r><w:t>p. </w:t></w:r>"
                 "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>"
                 "<w:r><w:instrText>PAGE</w:instrText></w:r>"
                 "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>"
                 "<w:r><w:t>7</w:t></w:r>"
                 "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>"
                 "<w:fldSimple w:instr=\"NUMPAGES\"><w:r><w:t>/9</w:t></w:r></w:fldSimple></w:p>"),
      "p. 7/9");
  // A field nested in another's instruction shows nothing, its own result
  // included; a field left open does not swallow text read before it.
  EXPECT_EQ(
      TextOfBody("<w:p><w:r><w:fldChar w:fldCharType=\"begin\"/><w:instrText>IF </w:instrText>"
                 "<w:fldChar w:fldCharType=\"begin\"/><w:instrText>X</w:instrText>"
                 "<w:fldChar w:fldCharType=\"separate\"/><w:t>inner</w:t>"
                 "<w:fldChar w:fldCharType=\"end\"/><w:fldChar w:fldCharType=\"separate\"/>"
                 "<w:t>outer</w:t><w:fldChar w:fldCharType=\"end\"/></w:r></w:p>" +
                 Para("after") + "<w:p><w:r><w:fldChar w:fldCharType=\"begin\"/></w:r></w:p>"),
      "outer\r\nafter\r\n");
}

TEST(DocxText, HiddenTextIsDropped) {
  EXPECT_EQ(TextOfBody("<w:p><w:r><w:t>shown</w:t></w:r><w:r><w:rPr><w:vanish/></w:rPr>"
                       "<w:t>hidden</w:t></w:r><w:r><w:rPr><w:vanish w:val=\"false\"/></w:rPr>"
                       "<w:t>!</w:t></w:r></w:p>"),
            "shown!");
}

TEST(DocxText, WrappersAreUnwrapped) {
  EXPECT_EQ(
      TextOfBody("<w:sdt><w:sdtPr/><w:sdtContent><w:p><w:hyperlink r:id=\"x\"><w:r><w:t>link"
                 "</w:t></w:r></w:hyperlink><w:smartTag><w:r><w:t>+tag</w:t></w:r></w:smartTag>"
                 "<w:sdt><w:sdtContent><w:r><w:t>+control</w:t></w:r></w:sdtContent></w:sdt>"
                 "</w:p></w:sdtContent></w:sdt>"),
      "link+tag+control");
}

TEST(DocxText, TablesAreReadRowByRowEachCellParagraphALine) {
  EXPECT_EQ(TextOfBody(Para("before") + "<w:tbl><w:tblPr/><w:tr><w:tc><w:tcPr/>" + Para("a1") +
                       Para("a1b") + "</w:tc><w:tc>" + Para("b1") + "</w:tc></w:tr><w:tr><w:tc>" +
                       Para("a2") + "<w:tbl><w:tr><w:tc>" + Para("nested") +
                       "</w:tc></w:tr></w:tbl></w:tc></w:tr>"
                       "</w:tbl>" +
                       Para("after")),
            "before\r\na1\r\na1b\r\nb1\r\na2\r\nnested\r\nafter");
}

TEST(DocxText, TextBoxesAreNotRead) {
  EXPECT_EQ(TextOfBody("<w:p><w:r><w:t>Q</w:t></w:r><w:r><w:pict><v:shape style=\"width:10pt\">"
                       "<v:textbox><w:txbxContent>" +
                       Para("inside") +
                       "</w:txbxContent></v:textbox>"
                       "</v:shape></w:pict></w:r></w:p>"),
            "Q");
}

TEST(DocxText, AlternateContentReadsExactlyOneBranch) {
  const std::string choice =
      "<mc:AlternateContent><mc:Choice Requires=\"wps\"><w:r><w:t>choice</w:t></w:r></mc:Choice>"
      "<mc:Fallback><w:r><w:t>fallback</w:t></w:r></mc:Fallback></mc:AlternateContent>";
  EXPECT_EQ(TextOfBody("<w:p>" + choice + "</w:p>"), "fallback");
  // A choice that needs only namespaces the reader knows is taken, whatever
  // their prefixes.
  EXPECT_EQ(TextOfBody("<w:p><mc:AlternateContent xmlns:mm=\"http://schemas.openxmlformats.org/"
                       "officeDocument/2006/math\"><mc:Choice Requires=\"mm\"><w:r><w:t>math</w:t>"
                       "</w:r></mc:Choice><mc:Fallback><w:r><w:t>picture</w:t></w:r></mc:Fallback>"
                       "</mc:AlternateContent></w:p>"),
            "math");
  EXPECT_EQ(TextOfBody("<mc:AlternateContent><mc:Choice Requires=\"undeclared\">" + Para("x") +
                       "</mc:Choice></mc:AlternateContent>" + Para("y")),
            "y");
}

TEST(DocxText, ElementsAreMatchedByNamespaceNotPrefix) {
  const std::string body =
      "<x:p xmlns:x=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><x:r><x:t>own"
      "</x:t></x:r></x:p><w:p xmlns:w=\"urn:other\"><w:r><w:t>foreign</w:t></w:r></w:p>";
  EXPECT_EQ(TextOfBody(body), "own");
}

TEST(DocxText, StrictDocumentsReadAsTransitionalOnes) {
  testing::DocxBuilder builder("");
  builder.Part("word/document.xml",
               "<w:document xmlns:w=\"http://purl.oclc.org/ooxml/wordprocessingml/main\"><w:body>" +
                   Para("strict") + "</w:body></w:document>");
  builder.Part("_rels/.rels",
               testing::RelationshipsPart({{"rId1",
                                            "http://purl.oclc.org/ooxml/officeDocument/"
                                            "relationships/officeDocument",
                                            "/word/document.xml"}}));
  EXPECT_EQ(testing::Utf8(ReadWordDocument(builder.Bytes()).text), "strict");
}

TEST(DocxText, LinesKnowTheirParagraphAndItsFirstWords) {
  const WordText read = ReadWordDocument(
      testing::DocxBuilder(Para("Какой месяц идет после марта, если считать от января?") +
                           "<w:tbl><w:tr><w:tc>" + Para("cell") + "</w:tc></w:tr></w:tbl>" +
                           "<w:p><w:r><w:t>a</w:t><w:br/><w:t>b</w:t></w:r></w:p>")
          .Bytes());
  ASSERT_EQ(read.lines.size(), 4u);
  EXPECT_EQ(read.lines[0].paragraph, 1u);
  EXPECT_EQ(testing::Utf8(read.lines[0].firstWords), "Какой месяц идет после марта, если");
  EXPECT_EQ(read.lines[1].paragraph, 2u);
  EXPECT_EQ(read.lines[2].paragraph, 3u);
  EXPECT_EQ(read.lines[3].paragraph, 3u);
  EXPECT_EQ(testing::Utf8(read.lines[3].firstWords), "a b");
}

}  // namespace
}  // namespace texttoxml::docx
