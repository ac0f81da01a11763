// The style property streams and the RichDoc writer, fed random style
// values: every field of the text and paragraph styles, list styles, the
// document options, document properties, and one picture item whose
// graphic is a tiny bitmap or nothing at all.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "error.h"
#include "pictures/bitmap.h"
#include "richtext/item_info.h"
#include "richtext/rich_doc_writer.h"
#include "richtext/rich_document.h"
#include "richtext/style_stream.h"

using namespace texttoxml;
using namespace texttoxml::richtext;

namespace {

std::u16string Text(FuzzedDataProvider& in) {
  std::u16string text;
  const std::size_t length = in.ConsumeIntegralInRange<std::size_t>(0, 40);
  for (std::size_t i = 0; i < length && in.remaining_bytes() > 0; ++i) {
    text += static_cast<char16_t>(in.ConsumeIntegral<std::uint16_t>());
  }
  return text;
}

// Any value of the enumeration's underlying type, named or not.
template <class Enum>
Enum AnyEnum(FuzzedDataProvider& in) {
  return static_cast<Enum>(in.ConsumeIntegralInRange<int>(-1, 16));
}

void FillCustomStyle(FuzzedDataProvider& in, CustomStyleInfo& style) {
  style.baseStyleNo = in.ConsumeIntegral<std::int32_t>();
  style.styleName = Text(in);
  style.standard = in.ConsumeBool();
  const int modified = in.ConsumeIntegralInRange<int>(0, 3);
  for (int i = 0; i < modified; ++i) {
    style.modifiedProperties.push_back(in.ConsumeRandomLengthString(300));
  }
}

FontInfo RandomFont(FuzzedDataProvider& in) {
  FontInfo font;
  FillCustomStyle(in, font);
  font.styleTemplateId = in.ConsumeIntegral<std::int32_t>();
  font.charset = in.ConsumeIntegral<std::uint8_t>();
  font.fontName = Text(in);
  font.size = in.ConsumeIntegral<std::int32_t>();
  font.style = in.ConsumeIntegral<StyleSet>();
  font.vShift = in.ConsumeIntegral<std::int32_t>();
  font.color = in.ConsumeIntegral<Color>();
  font.backColor = in.ConsumeIntegral<Color>();
  font.hoverBackColor = in.ConsumeIntegral<Color>();
  font.hoverColor = in.ConsumeIntegral<Color>();
  font.hoverEffects = in.ConsumeIntegral<StyleSet>();
  font.styleEx = in.ConsumeIntegral<StyleSet>();
  font.jumpCursor = in.ConsumeIntegral<std::int16_t>();
  font.charScale = in.ConsumeIntegral<std::int32_t>();
  font.charSpacing = in.ConsumeIntegral<std::int32_t>();
  font.biDiMode = AnyEnum<BiDiMode>(in);
  font.subSuperScriptType = AnyEnum<SubSuperScriptType>(in);
  font.protection = in.ConsumeIntegral<StyleSet>();
  font.options = in.ConsumeIntegral<StyleSet>();
  font.underlineType = AnyEnum<UnderlineType>(in);
  font.underlineColor = in.ConsumeIntegral<Color>();
  font.hoverUnderlineColor = in.ConsumeIntegral<Color>();
  font.paraStyleTemplateId = in.ConsumeIntegral<std::int32_t>();
  font.nextStyleNo = in.ConsumeIntegral<std::int32_t>();
  font.unicode = in.ConsumeBool();
  font.jump = in.ConsumeBool();
  return font;
}

SideRect RandomRect(FuzzedDataProvider& in) {
  return {in.ConsumeIntegral<std::int32_t>(), in.ConsumeIntegral<std::int32_t>(),
          in.ConsumeIntegral<std::int32_t>(), in.ConsumeIntegral<std::int32_t>()};
}

ParaInfo RandomPara(FuzzedDataProvider& in) {
  ParaInfo para;
  FillCustomStyle(in, para);
  para.styleTemplateId = in.ConsumeIntegral<std::int32_t>();
  para.firstIndent = in.ConsumeIntegral<std::int32_t>();
  para.leftIndent = in.ConsumeIntegral<std::int32_t>();
  para.rightIndent = in.ConsumeIntegral<std::int32_t>();
  para.spaceBefore = in.ConsumeIntegral<std::int32_t>();
  para.spaceAfter = in.ConsumeIntegral<std::int32_t>();
  para.alignment = AnyEnum<Alignment>(in);
  para.border.width = in.ConsumeIntegral<std::int32_t>();
  para.border.internalWidth = in.ConsumeIntegral<std::int32_t>();
  para.border.color = in.ConsumeIntegral<Color>();
  para.border.style = AnyEnum<BorderStyle>(in);
  para.border.visibleBorders = {in.ConsumeBool(), in.ConsumeBool(), in.ConsumeBool(),
                                in.ConsumeBool()};
  para.border.borderOffsets = RandomRect(in);
  para.background.color = in.ConsumeIntegral<Color>();
  para.background.borderOffsets = RandomRect(in);
  para.lineSpacing = in.ConsumeIntegral<std::int32_t>();
  para.lineSpacingType = AnyEnum<LineSpacingType>(in);
  para.options = in.ConsumeIntegral<StyleSet>();
  para.biDiMode = AnyEnum<BiDiMode>(in);
  para.outlineLevel = in.ConsumeIntegral<std::int32_t>();
  const int tabs = in.ConsumeIntegralInRange<int>(0, 3);
  for (int i = 0; i < tabs; ++i) {
    para.tabs.push_back({AnyEnum<TabAlign>(in), in.ConsumeIntegral<std::int32_t>(), Text(in)});
  }
  para.nextParaNo = in.ConsumeIntegral<std::int32_t>();
  para.defStyleNo = in.ConsumeIntegral<std::int32_t>();
  return para;
}

void RandomiseSheet(FuzzedDataProvider& in, RichStyleSheet& sheet) {
  sheet.units = in.ConsumeBool() ? StyleUnits::Pixels : StyleUnits::Twips;
  sheet.textStyles.clear();
  sheet.paraStyles.clear();
  const int fonts = in.ConsumeIntegralInRange<int>(0, 3);
  for (int i = 0; i < fonts; ++i) sheet.textStyles.push_back(RandomFont(in));
  const int paras = in.ConsumeIntegralInRange<int>(0, 3);
  for (int i = 0; i < paras; ++i) sheet.paraStyles.push_back(RandomPara(in));
  const int lists = in.ConsumeIntegralInRange<int>(0, 2);
  for (int i = 0; i < lists; ++i) {
    ListInfo list;
    FillCustomStyle(in, list);
    sheet.listStyles.push_back(list);
  }
  sheet.ignoreStyleTemplates = in.ConsumeBool();
}

std::unique_ptr<pictures::Graphic> TinyBitmap() {
  return pictures::Bitmap::FromPixels(1, 1, 24, {}, {0x10, 0x20, 0x30, 0});
}

void FillDocument(FuzzedDataProvider& in, RichDocument& document) {
  document.options = in.ConsumeIntegral<RichDocOptions>();
  document.useStyleTemplates = in.ConsumeBool();
  const int properties = in.ConsumeIntegralInRange<int>(0, 2);
  for (int i = 0; i < properties; ++i) {
    document.docProperties.push_back(in.ConsumeRandomLengthString(64));
  }
  if (!in.ConsumeBool()) return;
  auto item = std::make_unique<GraphicItemInfo>();
  item->itemText = in.ConsumeRandomLengthString(64);
  item->paraNo = in.ConsumeIntegral<std::int32_t>();
  item->itemOptions = in.ConsumeIntegral<ItemOptions>();
  item->hint = Text(in);
  item->vAlign = AnyEnum<VAlign>(in);
  item->vShift = in.ConsumeIntegral<std::int32_t>();
  item->spacing = in.ConsumeIntegral<std::int32_t>();
  item->borderWidth = in.ConsumeIntegral<std::int32_t>();
  item->backgroundColor = in.ConsumeIntegral<Color>();
  item->imageWidth = in.ConsumeIntegral<std::int32_t>();
  item->imageHeight = in.ConsumeIntegral<std::int32_t>();
  item->alt = Text(in);
  item->imageFileName = Text(in);
  if (in.ConsumeBool()) item->image = TinyBitmap();
  document.AddItem(std::move(item));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  RichDocument document = MakeConverterRichDocument();
  RandomiseSheet(in, document.Style());
  try {
    std::string styles;
    WriteTextStyles(document.Style(), styles);
    WriteParaStyles(document.Style(), styles);
    WriteListStyles(document.Style(), styles);
  } catch (const Error&) {
  }
  FillDocument(in, document);
  try {
    std::string text;
    SaveRichDocToStream(document, text);
    RichDocumentToBytes(document);
  } catch (const Error&) {
  }
  return 0;
}
