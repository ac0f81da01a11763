// The style sheet of the rich document: its text, paragraph and list styles
// with every published property, the units and the picture written in place
// of a graphic that cannot store itself.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pictures/graphic.h"

namespace texttoxml::richtext {

// Colours are 32-bit values: 0x00BBGGRR, or a system colour 0xFF0000nn.
using Color = std::int32_t;
inline constexpr Color kClNone = 0x1FFFFFFF;
inline constexpr Color kClWindowText = static_cast<Color>(0xFF000008u);
inline constexpr Color kClBlack = 0;

inline constexpr std::uint8_t kDefaultCharset = 1;
inline constexpr std::int16_t kJumpCursor = 101;

enum class StyleUnits { Pixels, Twips };

// Enumerations of style properties; the property stream writes the names
// of their values (rvbdUnspecified, rvaCenter, ...).
enum class BiDiMode { Unspecified, LeftToRight, RightToLeft };
enum class SubSuperScriptType { Normal, Subscript, SuperScript };
enum class UnderlineType {
  Normal,
  Thick,
  Double,
  Dotted,
  ThickDotted,
  Dashed,
  ThickDashed,
  LongDashed,
  ThickLongDashed,
  DashDotted,
  ThickDashDotted,
  DashDotDotted,
  ThickDashDotDotted
};
enum class Alignment { Left, Right, Center, Justify };
enum class LineSpacingType { Percent, SpaceBetween, LineHeightAtLeast, LineHeightExact };
enum class BorderStyle { None, Single, Double, Triple, ThickInside, ThickOutside };
enum class TabAlign { Left, Right, Center };

// Sets are bit masks: bit n is the element of ordinal n.
using StyleSet = std::uint32_t;

// Style properties shared by every kind of style.
struct CustomStyleInfo {
  std::int32_t baseStyleNo = -1;
  std::u16string styleName;
  bool standard = true;
  // Names of the properties that differ from the style template, in
  // property order; written only when style templates are in use.
  std::vector<std::string> modifiedProperties;
};

// Text and paragraph styles may follow a style template.
struct CustomFontOrParaInfo : CustomStyleInfo {
  std::int32_t styleTemplateId = -1;
};

struct FontInfo : CustomFontOrParaInfo {
  FontInfo() { styleName = u"Font Style"; }

  std::uint8_t charset = kDefaultCharset;
  std::u16string fontName = u"Arial";
  std::int32_t size = 10;
  StyleSet style = 0;  // fsBold, fsItalic, fsUnderline, fsStrikeOut
  std::int32_t vShift = 0;
  Color color = kClWindowText;
  Color backColor = kClNone;
  Color hoverBackColor = kClNone;
  Color hoverColor = kClNone;
  StyleSet hoverEffects = 0;
  StyleSet styleEx = 0;
  std::int16_t jumpCursor = kJumpCursor;
  std::int32_t charScale = 100;
  std::int32_t charSpacing = 0;
  BiDiMode biDiMode = BiDiMode::Unspecified;
  SubSuperScriptType subSuperScriptType = SubSuperScriptType::Normal;
  StyleSet protection = 0;
  StyleSet options = 0;
  UnderlineType underlineType = UnderlineType::Normal;
  Color underlineColor = kClNone;
  Color hoverUnderlineColor = kClNone;
  std::int32_t paraStyleTemplateId = -1;
  std::int32_t nextStyleNo = -1;
  bool unicode = true;
  bool jump = false;
};

struct SideRect {
  std::int32_t left = 0, right = 0, top = 0, bottom = 0;
};

struct BooleanRect {
  bool left = true, right = true, top = true, bottom = true;
};

struct ParaBorder {
  std::int32_t width = 1;
  std::int32_t internalWidth = 1;
  Color color = kClWindowText;
  BorderStyle style = BorderStyle::None;
  BooleanRect visibleBorders;
  SideRect borderOffsets;
};

struct BackgroundRect {
  Color color = kClNone;
  SideRect borderOffsets;
};

struct TabInfo {
  TabAlign align = TabAlign::Left;
  std::int32_t position = 0;
  std::u16string leader;
};

struct ParaInfo : CustomFontOrParaInfo {
  ParaInfo() { styleName = u"Paragraph Style"; }

  std::int32_t firstIndent = 0;
  std::int32_t leftIndent = 0;
  std::int32_t rightIndent = 0;
  std::int32_t spaceBefore = 0;
  std::int32_t spaceAfter = 0;
  Alignment alignment = Alignment::Left;
  ParaBorder border;
  BackgroundRect background;
  std::int32_t lineSpacing = 100;
  LineSpacingType lineSpacingType = LineSpacingType::Percent;
  StyleSet options = 0;
  BiDiMode biDiMode = BiDiMode::Unspecified;
  std::int32_t outlineLevel = 0;
  std::vector<TabInfo> tabs;
  std::int32_t nextParaNo = -1;
  std::int32_t defStyleNo = -1;
};

// A list style; its levels are not modelled, as the documents written here
// never number their paragraphs.
struct ListInfo : CustomStyleInfo {
  ListInfo() { styleName = u"List Style"; }
};

struct RichStyleSheet {
  std::string name = "RVStyle1";
  StyleUnits units = StyleUnits::Pixels;
  std::vector<FontInfo> textStyles{FontInfo()};
  std::vector<ParaInfo> paraStyles{ParaInfo()};
  std::vector<ListInfo> listStyles;
  // Raised only while a style table is being written.
  bool ignoreStyleTemplates = false;
  // Written in place of a graphic that cannot give its class name or bytes.
  std::unique_ptr<pictures::Graphic> invalidPicture;
};

// The style sheet as the converter configures it: text style "Normal text"
// in Arial, paragraph styles "Paragraph Style" and "Centered", no list
// styles, pixels, and the invalid-picture bitmap.
std::shared_ptr<RichStyleSheet> MakeConverterStyleSheet();

}  // namespace texttoxml::richtext
