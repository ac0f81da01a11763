#include "richtext/style_stream.h"

#include <gtest/gtest.h>

#include "hex_support.h"

namespace texttoxml::richtext {
namespace {

using testing::Hex;
using testing::HexShort;

const std::string kTextStyles =
    "0E01095374796C654E616D65060B4E6F726D616C207465787408466F6E744E616D650605417269616C07556E69"
    "636F6465090000";
const std::string kParaStyles =
    "0E01095374796C654E616D65060F506172616772617068205374796C6504546162730E00000109537479"
    "6C654E616D65060843656E746572656409416C69676E6D656E74070972766143656E74657204546162730E"
    "000000";

template <class Write>
std::string Stream(const RichStyleSheet& sheet, Write write) {
  std::string out;
  write(sheet, out);
  return Hex(out);
}

// One text style with only the given change from a constructed one.
std::string TextStyleWith(void (*change)(FontInfo&), bool ignoreStyleTemplates = true) {
  RichStyleSheet sheet;
  sheet.ignoreStyleTemplates = ignoreStyleTemplates;
  sheet.textStyles.front().styleName.clear();
  change(sheet.textStyles.front());
  std::string hex = Stream(sheet, WriteTextStyles);
  // Strip the collection frame and the constant FontName and Unicode.
  const std::string frame = "0E01";
  const std::string tail = HexShort("FontName") + "0605" + Hex("Arial");
  EXPECT_EQ(hex.substr(0, 4), frame);
  hex = hex.substr(4, hex.size() - 8);
  auto at = hex.find(tail);
  if (at != std::string::npos) hex.erase(at, tail.size());
  const std::string unicode = HexShort("Unicode") + "09";
  at = hex.rfind(unicode);
  if (at != std::string::npos) hex.erase(at, unicode.size());
  return hex;
}

TEST(StyleStream, TheConverterStyleSheetGivesTheKnownStreams) {
  auto sheet = MakeConverterStyleSheet();
  EXPECT_EQ(Stream(*sheet, WriteTextStyles), kTextStyles);
  EXPECT_EQ(Stream(*sheet, WriteParaStyles), kParaStyles);
  EXPECT_EQ(Stream(*sheet, WriteListStyles), "0E00");
  EXPECT_EQ(kTextStyles.size(), 2 * 52u);
  EXPECT_EQ(kParaStyles.size(), 2 * 88u);
}

TEST(StyleStream, TextStylePropertiesAreWrittenByTheirKind) {
  EXPECT_EQ(TextStyleWith([](FontInfo& f) { f.unicode = false; }), HexShort("Unicode") + "08");
  EXPECT_EQ(TextStyleWith([](FontInfo& f) { f.size = -200; }), HexShort("Size") + "0338FF");
  EXPECT_EQ(TextStyleWith([](FontInfo& f) { f.style = 0b0011; }),
            HexShort("Style") + "0B" + HexShort("fsBold") + HexShort("fsItalic") + "00");
  EXPECT_EQ(TextStyleWith([](FontInfo& f) { f.charset = 204; }),
            HexShort("Charset") + "07" + HexShort("RUSSIAN_CHARSET"));
  EXPECT_EQ(TextStyleWith([](FontInfo& f) { f.charset = 3; }), HexShort("Charset") + "0203");
  EXPECT_EQ(TextStyleWith([](FontInfo& f) { f.color = 0x0000FF; }),
            HexShort("Color") + "07" + HexShort("clRed"));
  EXPECT_EQ(TextStyleWith([](FontInfo& f) { f.backColor = 0x123456; }),
            HexShort("BackColor") + "0456341200");
  EXPECT_EQ(TextStyleWith([](FontInfo& f) { f.jumpCursor = -21; }),
            HexShort("JumpCursor") + "07" + HexShort("crHandPoint"));
  EXPECT_EQ(TextStyleWith([](FontInfo& f) { f.underlineType = UnderlineType::ThickDashDotDotted; }),
            HexShort("UnderlineType") + "07" + HexShort("rvutThickDashDotDotted"));
  EXPECT_EQ(TextStyleWith([](FontInfo& f) { f.protection = 1u << 12; }),
            HexShort("Protection") + "0B" + HexShort("rvprStickToBottom") + "00");
  EXPECT_EQ(TextStyleWith([](FontInfo& f) { f.jump = true; }), HexShort("Jump") + "09");
  EXPECT_EQ(TextStyleWith([](FontInfo& f) { f.standard = false; }), HexShort("Standard") + "08");
  EXPECT_EQ(TextStyleWith([](FontInfo& f) { f.styleName = u"Заголовок"; }),
            HexShort("StyleName") + "1209000000" + "1704300433043E043B043E0432043E043A04");
}

TEST(StyleStream, PropertiesFollowTheirDeclarationOrder) {
  EXPECT_EQ(TextStyleWith([](FontInfo& f) {
              f.nextStyleNo = 2;
              f.baseStyleNo = 0;
              f.biDiMode = BiDiMode::RightToLeft;
              f.charScale = 150;
            }),
            HexShort("BaseStyleNo") + "0200" + HexShort("CharScale") + "039600" +
                HexShort("BiDiMode") + "07" + HexShort("rvbdRightToLeft") +
                HexShort("NextStyleNo") + "0202");
}

TEST(StyleStream, StyleTemplateReferencesNeedTemplatesInUse) {
  auto withTemplate = [](FontInfo& f) {
    f.styleTemplateId = 7;
    f.modifiedProperties = {"FontName", "Size"};
  };
  EXPECT_EQ(TextStyleWith(withTemplate, true), "");
  EXPECT_EQ(TextStyleWith(withTemplate, false), HexShort("StyleTemplateId") + "0207" +
                                                    HexShort("ModifiedProps") + "0B" +
                                                    HexShort("FontName") + HexShort("Size") + "00");
  EXPECT_EQ(TextStyleWith([](FontInfo& f) { f.styleTemplateId = 0; }, false), "");
}

TEST(StyleStream, ParagraphSubObjectsAndTabs) {
  RichStyleSheet sheet;
  ParaInfo& para = sheet.paraStyles.front();
  para.styleName.clear();
  EXPECT_EQ(Stream(sheet, WriteParaStyles), "0E01" + HexShort("Tabs") + "0E00" + "0000");

  para.border.width = 3;
  para.border.visibleBorders.left = false;
  para.border.borderOffsets.bottom = -5;
  para.background.color = 0xFFFFFF;
  para.background.borderOffsets.top = 2;
  para.tabs = {TabInfo{TabAlign::Right, 40, u"."}, TabInfo{TabAlign::Left, 0, u""}};
  para.defStyleNo = 0;
  EXPECT_EQ(Stream(sheet, WriteParaStyles),
            "0E01" + HexShort("Border.Width") + "0203" + HexShort("Border.VisibleBorders.Left") +
                "08" + HexShort("Border.BorderOffsets.Bottom") + "02FB" +
                HexShort("Background.Color") + "07" + HexShort("clWhite") +
                HexShort("Background.BorderOffsets.Top") + "0202" + HexShort("Tabs") + "0E" + "01" +
                HexShort("Align") + "07" + HexShort("rvtaRight") + HexShort("Position") + "0228" +
                HexShort("Leader") + "0601" + Hex(".") + "00" + "01" + HexShort("Position") +
                "0200" + "00" + "00" + HexShort("DefStyleNo") + "0200" + "0000");
}

TEST(StyleStream, ListStylesAreACollectionLikeTheOthers) {
  RichStyleSheet sheet;
  sheet.listStyles.resize(1);
  EXPECT_EQ(Stream(sheet, WriteListStyles),
            "0E01" + HexShort("StyleName") + "060A" + Hex("List Style") + "0000");
}

}  // namespace
}  // namespace texttoxml::richtext
