#include "richtext/rich_document.h"

#include <gtest/gtest.h>

#include "fake_graphic.h"

namespace texttoxml::richtext {
namespace {

using testing::FakeGraphic;

std::unique_ptr<CustomItemInfo> TextItem(std::u16string_view text) {
  auto item = std::make_unique<CustomItemInfo>();
  item->itemOptions = kIoUnicode;
  for (char16_t unit : text) {
    item->itemText.push_back(static_cast<char>(unit & 0xFF));
    item->itemText.push_back(static_cast<char>(unit >> 8));
  }
  return item;
}

std::unique_ptr<CustomItemInfo> ItemOfKind(std::int32_t styleNo) {
  auto item = std::make_unique<CustomItemInfo>();
  item->styleNo = styleNo;
  return item;
}

TEST(RichDocument, OptionsAreTheDocumentedBits) {
  const RichDocOptions constructed = OptionBit(RichDocOption::SavePicturesBody) |
                                     OptionBit(RichDocOption::SaveControlsBody) |
                                     OptionBit(RichDocOption::SaveBinary) |
                                     OptionBit(RichDocOption::SaveDocProperties) |
                                     OptionBit(RichDocOption::LoadDocProperties);
  EXPECT_EQ(kDefaultRichDocOptions, constructed);
  EXPECT_EQ(kConverterRichDocOptions, constructed | OptionBit(RichDocOption::SaveTextStyles) |
                                          OptionBit(RichDocOption::SaveParaStyles));
  EXPECT_EQ(OptionBit(RichDocOption::CanChangeUnits), 1u << 17);

  RichDocument plain(std::make_shared<RichStyleSheet>());
  EXPECT_EQ(plain.options, kDefaultRichDocOptions);
  RichDocument converter = MakeConverterRichDocument();
  EXPECT_EQ(converter.options, kConverterRichDocOptions);
  EXPECT_FALSE(converter.useStyleTemplates);
  EXPECT_EQ(converter.Style().name, "RVStyle1");
  EXPECT_EQ(converter.Style().units, StyleUnits::Pixels);
  EXPECT_FALSE(converter.Style().ignoreStyleTemplates);
  ASSERT_EQ(converter.Style().paraStyles.size(), 2u);
  EXPECT_EQ(converter.Style().paraStyles[1].alignment, Alignment::Center);
  ASSERT_NE(converter.Style().invalidPicture, nullptr);
}

TEST(RichDocument, AddPictureExMakesOneParagraphWithADefaultPictureItem) {
  RichDocument document = MakeConverterRichDocument();
  auto graphic = std::make_unique<FakeGraphic>("TPngImage", "x");
  const pictures::Graphic* added = graphic.get();
  document.AddPictureEx("", std::move(graphic), 0, VAlign::Baseline);

  ASSERT_EQ(document.ItemCount(), 1);
  EXPECT_EQ(document.GetItemStyle(0), kItemPicture);
  const auto& item = dynamic_cast<const GraphicItemInfo&>(document.Item(0));
  EXPECT_EQ(item.image.get(), added);
  EXPECT_EQ(item.paraNo, 0);
  EXPECT_EQ(item.itemOptions, 0);
  EXPECT_EQ(item.itemText, "");
  EXPECT_EQ(item.vAlign, VAlign::Baseline);
  EXPECT_TRUE(item.resizable);
  EXPECT_EQ(item.spacing, 1);
  EXPECT_EQ(item.borderWidth, 0);
  EXPECT_EQ(item.borderColor, 0);
  EXPECT_EQ(item.backgroundColor, kClNone);
  EXPECT_EQ(item.imageWidth, 0);
  EXPECT_TRUE(item.tag.empty());
  EXPECT_FALSE(RichDocumentIsEmpty(document));
}

TEST(RichDocument, ParagraphNumbersOfFollowingPictures) {
  RichDocument document = MakeConverterRichDocument();
  document.AddPictureEx("first", std::make_unique<FakeGraphic>("TIcon", ""), -1, VAlign::Middle);
  document.AddPictureEx("", std::make_unique<FakeGraphic>("TIcon", ""), 1, VAlign::Baseline);
  document.AddPictureEx("", std::make_unique<FakeGraphic>("TIcon", ""), -1, VAlign::Right);
  // A first item always begins a paragraph, of style 0 when none is given.
  EXPECT_EQ(document.Item(0).paraNo, 0);
  EXPECT_EQ(document.Item(0).itemOptions, 0);
  EXPECT_EQ(document.GetItemText(0), u"first");
  EXPECT_EQ(document.Item(1).paraNo, 1);
  EXPECT_EQ(document.Item(1).itemOptions, 0);
  EXPECT_EQ(document.Item(2).paraNo, 1);
  EXPECT_EQ(document.Item(2).itemOptions, kIoSameAsPrev);

  auto continuing = TextItem(u"x");
  continuing->itemOptions |= kIoSameAsPrev | kIoBR;
  RichDocument other = MakeConverterRichDocument();
  other.AddItem(std::move(continuing));
  EXPECT_EQ(other.Item(0).itemOptions, kIoUnicode);
}

TEST(RichDocument, ClearFreesTheItemsAndTheirGraphics) {
  RichDocument document = MakeConverterRichDocument();
  const int before = FakeGraphic::alive;
  document.AddPictureEx("", std::make_unique<FakeGraphic>("TPngImage", "x"), 0, VAlign::Baseline);
  document.docProperties = {"Title=x"};
  EXPECT_EQ(FakeGraphic::alive, before + 1);
  document.Clear();
  EXPECT_EQ(FakeGraphic::alive, before);
  EXPECT_EQ(document.ItemCount(), 0);
  EXPECT_TRUE(document.docProperties.empty());
  EXPECT_TRUE(RichDocumentIsEmpty(document));
  EXPECT_EQ(document.Style().textStyles.size(), 1u);  // the style sheet is untouched
}

TEST(RichDocument, EmptinessLooksAtTextAndNonTextItems) {
  RichDocument document = MakeConverterRichDocument();
  EXPECT_TRUE(RichDocumentIsEmpty(document));
  document.AddItem(TextItem(u" \t\r\n"));
  document.AddItem(ItemOfKind(kItemTab));
  document.AddItem(TextItem(u""));
  document.AddItem(TextItem(std::u16string(1, u'\0') + u"\x1F\x20"));
  EXPECT_TRUE(RichDocumentIsEmpty(document));

  document.AddItem(TextItem(u"  \u00A0 "));  // a no-break space is content
  EXPECT_FALSE(RichDocumentIsEmpty(document));

  RichDocument ansi = MakeConverterRichDocument();
  auto item = ItemOfKind(0);
  item->itemText = "  \xC0 ";  // a Cyrillic letter in the code page
  ansi.AddItem(std::move(item));
  EXPECT_EQ(ansi.GetItemText(0), u"  \u0410 ");
  EXPECT_FALSE(RichDocumentIsEmpty(ansi));

  for (std::int32_t kind : {kItemBreak, kItemBullet, kItemHotspot, kItemListMarker}) {
    RichDocument other = MakeConverterRichDocument();
    other.AddItem(ItemOfKind(kind));
    EXPECT_FALSE(RichDocumentIsEmpty(other)) << kind;
  }
}

}  // namespace
}  // namespace texttoxml::richtext
