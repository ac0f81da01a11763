// The items of a rich document. An item with a StyleNo of 0 or more is text
// in that text style; a negative StyleNo is the kind of a non-text item.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "pictures/graphic.h"
#include "richtext/style_sheet.h"

namespace texttoxml::richtext {

// Kinds of non-text items.
inline constexpr std::int32_t kItemBreak = -1;
inline constexpr std::int32_t kItemPicture = -3;
inline constexpr std::int32_t kItemHotspot = -4;
inline constexpr std::int32_t kItemControl = -5;
inline constexpr std::int32_t kItemBullet = -6;
inline constexpr std::int32_t kItemHotPicture = -10;
inline constexpr std::int32_t kItemListMarker = -11;
inline constexpr std::int32_t kItemTab = -12;

// ItemOptions bits.
using ItemOptions = std::uint8_t;
inline constexpr ItemOptions kIoSameAsPrev = 1 << 0;  // continues the previous paragraph
inline constexpr ItemOptions kIoPageBreakBefore = 1 << 1;
inline constexpr ItemOptions kIoBR = 1 << 2;       // line break before the item
inline constexpr ItemOptions kIoUnicode = 1 << 3;  // the text is UTF-16LE
inline constexpr ItemOptions kIoClearLeft = 1 << 4;
inline constexpr ItemOptions kIoClearRight = 1 << 5;
inline constexpr ItemOptions kIoGroupWithNext = 1 << 6;

// Vertical alignment of a picture in its line.
enum class VAlign { Baseline, Middle, AbsTop, AbsBottom, AbsMiddle, Left, Right };

struct CustomItemInfo {
  virtual ~CustomItemInfo() = default;

  // The text of a text item (UTF-16LE when kIoUnicode is set, else in the
  // ANSI code page), or the name of a non-text item.
  std::string itemText;
  std::int32_t styleNo = 0;
  std::int32_t paraNo = 0;  // the paragraph style, for an item that begins one
  ItemOptions itemOptions = 0;
  std::u16string tag;
  std::u16string hint;
};

struct NonTextItemInfo : CustomItemInfo {
  bool deleteProtect = false;
  bool hidden = false;
};

// A non-text item that takes up a rectangle in its line.
struct RectItemInfo : NonTextItemInfo {
  std::int32_t minHeightOnPage = 0;
  VAlign vAlign = VAlign::Baseline;
  std::int32_t vShift = 0;
  bool vShiftAbs = false;
  std::int32_t spacing = 1;
  std::int32_t borderWidth = 0;
  std::int32_t outerHSpacing = 0;
  std::int32_t outerVSpacing = 0;
  Color backgroundColor = kClNone;
  Color borderColor = kClBlack;
};

// A picture; the item owns its graphic.
struct GraphicItemInfo : RectItemInfo {
  GraphicItemInfo() { styleNo = kItemPicture; }

  std::unique_ptr<pictures::Graphic> image;
  bool resizable = true;
  std::int32_t imageWidth = 0;  // 0: the graphic's own size
  std::int32_t imageHeight = 0;
  std::int32_t interval = 0;
  bool noHtmlImageSize = false;
  std::u16string alt;
  std::u16string imageFileName;
};

}  // namespace texttoxml::richtext
