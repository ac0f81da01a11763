#include "richtext/style_stream.h"

#include <optional>
#include <string_view>

#include "richtext/property_writer.h"
#include "richtext/value_names.h"

namespace texttoxml::richtext {

namespace {

constexpr std::string_view kFontStyles[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
constexpr std::string_view kHoverEffects[] = {"rvheUnderline"};
constexpr std::string_view kFontStylesEx[] = {"rvfsOverline", "rvfsAllCaps"};
constexpr std::string_view kProtection[] = {
    "rvprStyleProtect",   "rvprStyleSplitProtect", "rvprModifyProtect",   "rvprDeleteProtect",
    "rvprConcateProtect", "rvprRVFInsertProtect",  "rvprDoNotAutoSwitch", "rvprParaStartProtect",
    "rvprSticking",       "rvprSticking2",         "rvprSticking3",       "rvprStickToTop",
    "rvprStickToBottom"};
constexpr std::string_view kTextOptions[] = {"rvteoHTMLCode", "rvteoRTFCode", "rvteoDocXCode",
                                             "rvteoDocXInRunCode", "rvteoHidden"};
constexpr std::string_view kParaOptions[] = {"rvpaoNoWrap",
                                             "rvpaoReadOnly",
                                             "rvpaoStyleProtect",
                                             "rvpaoDoNotWantReturns",
                                             "rvpaoKeepLinesTogether",
                                             "rvpaoKeepWithNext",
                                             "rvpaoWidowOrphanControl"};
constexpr std::string_view kBiDiModes[] = {"rvbdUnspecified", "rvbdLeftToRight", "rvbdRightToLeft"};
constexpr std::string_view kSubSuperScriptTypes[] = {"rvsssNormal", "rvsssSubscript",
                                                     "rvsssSuperScript"};
constexpr std::string_view kUnderlineTypes[] = {"rvutNormal",
                                                "rvutThick",
                                                "rvutDouble",
                                                "rvutDotted",
                                                "rvutThickDotted",
                                                "rvutDashed",
                                                "rvutThickDashed",
                                                "rvutLongDashed",
                                                "rvutThickLongDashed",
                                                "rvutDashDotted",
                                                "rvutThickDashDotted",
                                                "rvutDashDotDotted",
                                                "rvutThickDashDotDotted"};
constexpr std::string_view kAlignments[] = {"rvaLeft", "rvaRight", "rvaCenter", "rvaJustify"};
constexpr std::string_view kLineSpacingTypes[] = {"rvlsPercent", "rvlsSpaceBetween",
                                                  "rvlsLineHeightAtLeast", "rvlsLineHeightExact"};
constexpr std::string_view kBorderStyles[] = {"rvbNone",   "rvbSingle",      "rvbDouble",
                                              "rvbTriple", "rvbThickInside", "rvbThickOutside"};
constexpr std::string_view kTabAligns[] = {"rvtaLeft", "rvtaRight", "rvtaCenter"};

template <class Enum>
int Ordinal(Enum value) {
  return static_cast<int>(value);
}

// Writes one kind of style with the style sheet's template setting.
class StyleWriter {
 public:
  StyleWriter(PropertyWriter& writer, bool ignoreStyleTemplates)
      : w_(writer), ignoreStyleTemplates_(ignoreStyleTemplates) {}

  void Write(const FontInfo& style) {
    WriteCustomStyle(style);
    WriteStyleTemplateId(style);
    w_.NamedIntegerProperty("Charset", style.charset, kDefaultCharset, CharsetNames());
    w_.StringProperty("FontName", style.fontName);
    w_.IntegerProperty("Size", style.size, 10);
    w_.SetProperty("Style", style.style, kFontStyles);
    w_.IntegerProperty("VShift", style.vShift, 0);
    ColorProperty("Color", style.color, kClWindowText);
    ColorProperty("BackColor", style.backColor, kClNone);
    ColorProperty("HoverBackColor", style.hoverBackColor, kClNone);
    ColorProperty("HoverColor", style.hoverColor, kClNone);
    w_.SetProperty("HoverEffects", style.hoverEffects, kHoverEffects);
    w_.SetProperty("StyleEx", style.styleEx, kFontStylesEx);
    w_.NamedIntegerProperty("JumpCursor", style.jumpCursor, kJumpCursor, CursorNames());
    w_.IntegerProperty("CharScale", style.charScale, 100);
    w_.IntegerProperty("CharSpacing", style.charSpacing, 0);
    w_.EnumProperty("BiDiMode", Ordinal(style.biDiMode), kBiDiModes, 0);
    w_.EnumProperty("SubSuperScriptType", Ordinal(style.subSuperScriptType), kSubSuperScriptTypes,
                    0);
    w_.SetProperty("Protection", style.protection, kProtection);
    w_.SetProperty("Options", style.options, kTextOptions);
    w_.EnumProperty("UnderlineType", Ordinal(style.underlineType), kUnderlineTypes, 0);
    ColorProperty("UnderlineColor", style.underlineColor, kClNone);
    ColorProperty("HoverUnderlineColor", style.hoverUnderlineColor, kClNone);
    w_.IntegerProperty("ParaStyleTemplateId", style.paraStyleTemplateId, -1);
    w_.IntegerProperty("NextStyleNo", style.nextStyleNo, -1);
    w_.BooleanProperty("Unicode", style.unicode, std::nullopt);
    w_.BooleanProperty("Jump", style.jump, false);
    WriteModifiedProperties(style);
  }

  void Write(const ParaInfo& style) {
    WriteCustomStyle(style);
    WriteStyleTemplateId(style);
    w_.IntegerProperty("FirstIndent", style.firstIndent, 0);
    w_.IntegerProperty("LeftIndent", style.leftIndent, 0);
    w_.IntegerProperty("RightIndent", style.rightIndent, 0);
    w_.IntegerProperty("SpaceBefore", style.spaceBefore, 0);
    w_.IntegerProperty("SpaceAfter", style.spaceAfter, 0);
    w_.EnumProperty("Alignment", Ordinal(style.alignment), kAlignments, 0);
    w_.ObjectProperty("Border", [&] { Write(style.border); });
    w_.ObjectProperty("Background", [&] { Write(style.background); });
    w_.IntegerProperty("LineSpacing", style.lineSpacing, 100);
    w_.EnumProperty("LineSpacingType", Ordinal(style.lineSpacingType), kLineSpacingTypes, 0);
    w_.SetProperty("Options", style.options, kParaOptions);
    w_.EnumProperty("BiDiMode", Ordinal(style.biDiMode), kBiDiModes, 0);
    w_.IntegerProperty("OutlineLevel", style.outlineLevel, 0);
    w_.CollectionProperty("Tabs", style.tabs, [this](const TabInfo& tab) { Write(tab); });
    w_.IntegerProperty("NextParaNo", style.nextParaNo, -1);
    w_.IntegerProperty("DefStyleNo", style.defStyleNo, -1);
    WriteModifiedProperties(style);
  }

  void Write(const ListInfo& style) { WriteCustomStyle(style); }

 private:
  void WriteCustomStyle(const CustomStyleInfo& style) {
    w_.IntegerProperty("BaseStyleNo", style.baseStyleNo, -1);
    w_.StringProperty("StyleName", style.styleName);
    w_.BooleanProperty("Standard", style.standard, true);
  }

  void WriteStyleTemplateId(const CustomFontOrParaInfo& style) {
    if (style.styleTemplateId > 0 && !ignoreStyleTemplates_)
      w_.IntegerProperty("StyleTemplateId", style.styleTemplateId, std::nullopt);
  }

  void WriteModifiedProperties(const CustomStyleInfo& style) {
    if (style.modifiedProperties.empty() || ignoreStyleTemplates_) return;
    w_.WritePropertyName("ModifiedProps");
    w_.WriteSet(style.modifiedProperties);
  }

  void ColorProperty(std::string_view name, Color value, Color defaultValue) {
    w_.NamedIntegerProperty(name, value, defaultValue, ColorNames());
  }

  void Write(const ParaBorder& border) {
    w_.IntegerProperty("Width", border.width, 1);
    w_.IntegerProperty("InternalWidth", border.internalWidth, 1);
    ColorProperty("Color", border.color, kClWindowText);
    w_.EnumProperty("Style", Ordinal(border.style), kBorderStyles, 0);
    w_.ObjectProperty("VisibleBorders", [&] { Write(border.visibleBorders); });
    w_.ObjectProperty("BorderOffsets", [&] { Write(border.borderOffsets); });
  }

  void Write(const BackgroundRect& background) {
    ColorProperty("Color", background.color, kClNone);
    w_.ObjectProperty("BorderOffsets", [&] { Write(background.borderOffsets); });
  }

  void Write(const BooleanRect& rect) {
    w_.BooleanProperty("Left", rect.left, true);
    w_.BooleanProperty("Right", rect.right, true);
    w_.BooleanProperty("Top", rect.top, true);
    w_.BooleanProperty("Bottom", rect.bottom, true);
  }

  void Write(const SideRect& rect) {
    w_.IntegerProperty("Left", rect.left, 0);
    w_.IntegerProperty("Right", rect.right, 0);
    w_.IntegerProperty("Top", rect.top, 0);
    w_.IntegerProperty("Bottom", rect.bottom, 0);
  }

  void Write(const TabInfo& tab) {
    w_.EnumProperty("Align", Ordinal(tab.align), kTabAligns, 0);
    w_.IntegerProperty("Position", tab.position, std::nullopt);
    w_.StringProperty("Leader", tab.leader);
  }

  PropertyWriter& w_;
  bool ignoreStyleTemplates_;
};

template <class Style>
void WriteStyles(const std::vector<Style>& styles, bool ignoreStyleTemplates, std::string& out) {
  PropertyWriter writer(out);
  StyleWriter styleWriter(writer, ignoreStyleTemplates);
  writer.WriteCollection(styles, [&](const Style& style) { styleWriter.Write(style); });
}

}  // namespace

void WriteTextStyles(const RichStyleSheet& sheet, std::string& out) {
  WriteStyles(sheet.textStyles, sheet.ignoreStyleTemplates, out);
}

void WriteParaStyles(const RichStyleSheet& sheet, std::string& out) {
  WriteStyles(sheet.paraStyles, sheet.ignoreStyleTemplates, out);
}

void WriteListStyles(const RichStyleSheet& sheet, std::string& out) {
  WriteStyles(sheet.listStyles, sheet.ignoreStyleTemplates, out);
}

}  // namespace texttoxml::richtext
