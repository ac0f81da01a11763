#include "richtext/rich_doc_writer.h"

#include <gtest/gtest.h>

#include "fake_graphic.h"
#include "hex_support.h"
#include "richtext/hex_line.h"
#include "richtext/invalid_picture.h"
#include "richtext/rich_doc_text.h"
#include "richtext/richtext_errors.h"
#include "test_support.h"

namespace texttoxml::richtext {
namespace {

using testing::FakeGraphic;
using testing::Hex;

const std::string kHead =
    "-8 1 3\r\n"
    "-9 2 0 0 0 0 1\r\n"
    "RVStyle1\r\n"
    "0E01095374796C654E616D65060B4E6F726D616C207465787408466F6E744E616D650605417269616C07556E69"
    "636F6465090000\r\n"
    "-9 2 0 0 0 0 2\r\n"
    "RVStyle1\r\n"
    "0E01095374796C654E616D65060F506172616772617068205374796C6504546162730E00000109537479"
    "6C654E616D65060843656E746572656409416C69676E6D656E74070972766143656E74657204546162730E"
    "000000\r\n"
    "-9 2 0 0 0 0 4\r\n"
    "RVStyle1\r\n"
    "0E00\r\n"
    "-9 0 0 0 0 0 7\r\n"
    "-3 3 0 0 0 0 0\r\n"
    "\r\n";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
  return lines;
}

std::string InvalidPictureHex() {
  std::string bytes;
  MakeInvalidPicture()->SaveToStream(bytes);
  return Hex(bytes);
}

RichDocument DocumentWith(std::unique_ptr<pictures::Graphic> graphic) {
  RichDocument document = MakeConverterRichDocument();
  document.AddPictureEx("", std::move(graphic), 0, VAlign::Baseline);
  return document;
}

TEST(HexLine, TwoUpperCaseDigitsPerByteAndALineBreak) {
  std::string out = "x";
  AppendHexLine(out, std::string("\x00\x7F\x80\xFF\x0A", 5));
  EXPECT_EQ(out, "x007F80FF0A\r\n");
  AppendHexLine(out, "");
  EXPECT_EQ(out, "x007F80FF0A\r\n\r\n");
}

TEST(HexLine, DigitsOfLongBlocksComeInPiecesInOrder) {
  std::string bytes(5000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 131 % 256);
  std::string digits;
  platform::StringOutputStream stream(digits);
  WriteHexDigits(bytes, stream);
  EXPECT_EQ(digits, Hex(bytes));
  std::string line;
  AppendHexLine(line, bytes);
  EXPECT_EQ(line, Hex(bytes) + "\r\n");
}

TEST(RichDocText, HoldsHexLinesAsBytesUntilTheTextIsWanted) {
  RichDocText text;
  EXPECT_TRUE(text.Empty());
  text.Append("head\r\n");
  text.AppendHexLine(std::string("\x00\xFF", 2));
  text.AppendHexLine("");
  text.Append("tail");
  EXPECT_FALSE(text.Empty());
  EXPECT_EQ(text.Size(), 6 + 4 + 2 + 2 + 4u);
  std::string out = "x";
  text.AppendTo(out);
  EXPECT_EQ(out, "xhead\r\n00FF\r\n\r\ntail");

  std::vector<std::string> pieces;
  text.ForEachPiece([&](std::string_view t) { pieces.push_back("text " + std::string(t)); },
                    [&](std::string_view b) { pieces.push_back("hex " + Hex(b)); });
  const std::vector<std::string> expected = {"text head\r\n", "hex 00FF", "text \r\n", "hex ",
                                             "text \r\ntail"};
  EXPECT_EQ(pieces, expected);

  RichDocText hexOnly;
  hexOnly.AppendHexLine("");
  EXPECT_FALSE(hexOnly.Empty());
}

TEST(RichDocWriter, TheUnexpandedTextHoldsTheSameBytes) {
  const std::string picture(3000, '\xAB');
  RichDocument document =
      DocumentWith(std::make_unique<FakeGraphic>("TPngImage", picture, FakeGraphic::Failure::None));
  document.Style().name = "\xD1\xF2\xE8\xEB\xFC";  // a non-ASCII style sheet name
  const RichDocText text = WriteRichDocText(document);
  std::string expanded;
  text.AppendTo(expanded);
  EXPECT_EQ(expanded, RichDocumentToBytes(document));
  EXPECT_NE(expanded.find(Hex(picture) + "\r\n"), std::string::npos);
  EXPECT_NE(expanded.find("\xD1\xF2\xE8\xEB\xFC\r\n"), std::string::npos);

  RichDocument empty = MakeConverterRichDocument();
  EXPECT_TRUE(WriteRichDocText(empty).Empty());
}

TEST(RichDocWriter, OnePictureGivesTheKnownText) {
  const std::string png = "\x89PNG\r\n\x1A\n" + std::string(1000, '\xAB');
  RichDocument document = DocumentWith(std::make_unique<FakeGraphic>("TPngImage", png));
  const std::string text = RichDocumentToBytes(document);
  ASSERT_EQ(kHead.size(), 421u - std::string("TPngImage\r\n").size());
  EXPECT_EQ(text.substr(0, kHead.size()), kHead);
  EXPECT_EQ(text.substr(kHead.size(), 11), "TPngImage\r\n");
  EXPECT_EQ(text.size(), 423 + 2 * png.size());
  auto lines = Lines(text);
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[14], Hex(png));
  EXPECT_EQ(lines[14].substr(0, 16), "89504E470D0A1A0A");
  EXPECT_EQ(RichDocumentToText(document), std::u16string(text.begin(), text.end()));
}

TEST(RichDocWriter, EmptyDocumentsGiveNoText) {
  RichDocument document = MakeConverterRichDocument();
  EXPECT_EQ(RichDocumentToBytes(document), "");
  std::string stream = "kept";
  EXPECT_TRUE(SaveRichDocToStream(document, stream));
  EXPECT_EQ(stream, "kept");
  // Blank text is nothing worth writing either.
  auto blank = std::make_unique<CustomItemInfo>();
  blank->itemText = " ";
  document.AddItem(std::move(blank));
  EXPECT_EQ(RichDocumentToText(document), u"");
}

TEST(RichDocWriter, TheTextFormIsAlwaysWritten) {
  RichDocument document = DocumentWith(std::make_unique<FakeGraphic>("TIcon", ""));
  ASSERT_TRUE(document.options & OptionBit(RichDocOption::SaveBinary));
  const std::string text = RichDocumentToBytes(document);
  EXPECT_FALSE(document.options & OptionBit(RichDocOption::SaveBinary));
  EXPECT_EQ(document.options, 104451u);
  // A graphic with no bytes still gives its three lines, the last empty.
  EXPECT_EQ(text, kHead + "TIcon\r\n\r\n");
}

TEST(RichDocWriter, ConsecutivePicturesGiveIndependentTexts) {
  RichDocument document = DocumentWith(std::make_unique<FakeGraphic>("TJPEGImage", "\xFF\xD8"));
  const std::string first = RichDocumentToBytes(document);
  document.Clear();
  document.AddPictureEx("", std::make_unique<FakeGraphic>("TMetafile", "\x01\x02\x03"), 0,
                        VAlign::Baseline);
  const std::string second = RichDocumentToBytes(document);
  EXPECT_EQ(first, kHead + "TJPEGImage\r\nFFD8\r\n");
  EXPECT_EQ(second, kHead + "TMetafile\r\n010203\r\n");
}

TEST(RichDocWriter, AGraphicThatCannotStoreItselfBecomesTheInvalidPicture) {
  const std::string expected = kHead + "TBitmap\r\n" + InvalidPictureHex() + "\r\n";
  for (auto failure : {FakeGraphic::Failure::Bytes, FakeGraphic::Failure::ClassName}) {
    RichDocument document =
        DocumentWith(std::make_unique<FakeGraphic>("TGIFImage", "GIF89a-and-more", failure));
    const std::string text = RichDocumentToBytes(document);
    EXPECT_EQ(text, expected);
    EXPECT_EQ(text.size(), 421 - 11 + 9 + 2 * 4150 + 2u);
  }
  RichDocument missing = DocumentWith(nullptr);
  EXPECT_EQ(RichDocumentToBytes(missing), expected);
}

TEST(RichDocWriter, FailuresEndTheWritingAndAreReported) {
  RichDocument document =
      DocumentWith(std::make_unique<FakeGraphic>("TPngImage", "abcd", FakeGraphic::Failure::Bytes));
  document.Style().invalidPicture.reset();
  std::string stream;
  EXPECT_FALSE(SaveRichDocToStream(document, stream));
  EXPECT_EQ(stream, kHead);  // written before the failure, kept
  EXPECT_THROW_MSG(RichDocumentToBytes(document), NoPictureError, "No picture to write");

  // Only pictures can be written, and a picture has no room for a tag.
  RichDocument withText = MakeConverterRichDocument();
  auto text = std::make_unique<CustomItemInfo>();
  text->itemText = "words";
  withText.AddItem(std::move(text));
  EXPECT_THROW_MSG(RichDocumentToBytes(withText), UnwritableItemError,
                   "Cannot write an item of kind 0");
  RichDocument tagged = DocumentWith(std::make_unique<FakeGraphic>("TIcon", "\x02"));
  const_cast<CustomItemInfo&>(tagged.Item(0)).tag = u"note";
  std::string kept = "before";
  EXPECT_FALSE(SaveRichDocToStream(tagged, kept));
  // The head stays; the refused picture's record is not begun.
  EXPECT_EQ(kept, "before" + kHead.substr(0, kHead.find("-3 3 ")));
  EXPECT_THROW_MSG(RichDocumentToBytes(tagged), ItemTagError, "Cannot write an item tag");
}

TEST(RichDocWriter, PicturePropertiesAndHeaderFields) {
  RichDocument document = MakeConverterRichDocument();
  document.AddPictureEx("", std::make_unique<FakeGraphic>("TIcon", "\x02"), 1, VAlign::AbsMiddle);
  document.AddPictureEx(
      "name", std::make_unique<FakeGraphic>("TPngImage", "\x01", FakeGraphic::Failure::Bytes), -1,
      VAlign::Right);
  auto& item = const_cast<GraphicItemInfo&>(dynamic_cast<const GraphicItemInfo&>(document.Item(1)));
  item.spacing = 5;
  item.resizable = false;
  item.alt = u"Схема";
  item.itemOptions |= kIoPageBreakBefore | kIoGroupWithNext;
  auto lines = Lines(RichDocumentToBytes(document));
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_EQ(lines[11], "-3 3 1 0 0 0 4");
  EXPECT_EQ(lines[13], "TIcon");
  EXPECT_EQ(lines[14], "02");
  // Continues the paragraph; only the low six option bits are written; the
  // invalid picture takes the failed one's place with the same properties.
  EXPECT_EQ(lines[15], "-3 6 -1 3 0 0 6");
  EXPECT_EQ(lines[16], "name");
  EXPECT_EQ(lines[17], "TBitmap");
  EXPECT_EQ(lines[18], "Spacing=5");
  EXPECT_EQ(lines[19], "Resizable=0");
  EXPECT_EQ(lines[20], "Alt=\xD1\xF5\xE5\xEC\xE0");
  EXPECT_EQ(lines[21], InvalidPictureHex());

  item.alt = u"two\r\nlines";  // would split the record
  EXPECT_THROW_MSG(RichDocumentToBytes(document), PropertyLineBreakError,
                   "Line break in picture property Alt");
}

TEST(RichDocWriter, OptionsAndUnitsDecideTheRecords) {
  RichDocument document = DocumentWith(std::make_unique<FakeGraphic>("TIcon", "\x7F"));
  document.options &=
      ~(OptionBit(RichDocOption::SaveTextStyles) | OptionBit(RichDocOption::SavePicturesBody));
  document.Style().units = StyleUnits::Twips;
  document.docProperties = {"Author=A", "Title=T"};
  auto lines = Lines(RichDocumentToBytes(document));
  const std::vector<std::string> expected = {
      "-8 1 3",         "-9 1 0 0 0 0 9", "1",
      "-9 2 0 0 0 0 2", "RVStyle1",       lines.size() > 5 ? lines[5] : "",
      "-9 2 0 0 0 0 4", "RVStyle1",       "0E00",
      "-9 2 0 0 0 0 5", "Author=A",       "Title=T",
      "-9 0 0 0 0 0 7", "-3 1 0 0 1 0 0", ""};
  EXPECT_EQ(lines, expected);

  document.options &=
      ~(OptionBit(RichDocOption::SaveParaStyles) | OptionBit(RichDocOption::SaveDocProperties));
  document.Style().units = StyleUnits::Pixels;
  EXPECT_EQ(RichDocumentToBytes(document), "-8 1 3\r\n-3 1 0 0 1 0 0\r\n\r\n");
}

TEST(RichDocWriter, StyleTemplatesAreReferencedOnlyWhenTheDocumentUsesThem) {
  RichDocument document = DocumentWith(std::make_unique<FakeGraphic>("TIcon", ""));
  document.Style().textStyles.front().styleTemplateId = 3;
  const std::string templateId = Hex("\x0FStyleTemplateId\x02\x03");
  EXPECT_EQ(RichDocumentToBytes(document).find(templateId), std::string::npos);
  EXPECT_FALSE(document.Style().ignoreStyleTemplates);

  document.useStyleTemplates = true;
  EXPECT_NE(RichDocumentToBytes(document).find(templateId), std::string::npos);
  document.options &= ~OptionBit(RichDocOption::SaveParaStyles);
  EXPECT_EQ(RichDocumentToBytes(document).find(templateId), std::string::npos);
  EXPECT_FALSE(document.Style().ignoreStyleTemplates);
}

}  // namespace
}  // namespace texttoxml::richtext
