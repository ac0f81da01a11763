// The rich document that wraps a picture answer variant: an item list with
// paragraph numbering, bound to a style sheet, and the options that decide
// what its RichDoc text holds.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pictures/graphic.h"
#include "richtext/item_info.h"
#include "richtext/style_sheet.h"

namespace texttoxml::richtext {

// What the RichDoc writer writes; bit n of RichDocOptions is option n.
enum class RichDocOption {
  SavePicturesBody,
  SaveControlsBody,
  IgnoreUnknownPicFmt,
  IgnoreUnknownCtrls,
  IgnoreUnknownCtrlProperties,
  ConvUnknownStylesToZero,
  ConvLargeImageIdxToZero,
  SaveBinary,
  UseStyleNames,
  SaveBack,
  LoadBack,
  SaveTextStyles,
  SaveParaStyles,
  SaveLayout,
  LoadLayout,
  SaveDocProperties,
  LoadDocProperties,
  CanChangeUnits
};
using RichDocOptions = std::uint32_t;

constexpr RichDocOptions OptionBit(RichDocOption option) {
  return RichDocOptions{1} << static_cast<int>(option);
}

// A new document's options, and the converter's (which adds the text and
// paragraph style tables).
inline constexpr RichDocOptions kDefaultRichDocOptions = 98435;
inline constexpr RichDocOptions kConverterRichDocOptions = 104579;

class RichDocument {
 public:
  // The style sheet is shared with whoever else holds it.
  explicit RichDocument(std::shared_ptr<RichStyleSheet> style);

  // Removes and frees every item with its graphic; empties docProperties.
  void Clear();

  // Appends a picture item owning `graphic`. A ParaNo of 0 or more starts a
  // new paragraph of that style; -1 continues the last paragraph (or starts
  // one of style 0 in an empty document).
  void AddPictureEx(std::string name, std::unique_ptr<pictures::Graphic> graphic,
                    std::int32_t paraNo, VAlign vAlign);

  // Appends an item as it is, except that the first item always starts a
  // paragraph.
  void AddItem(std::unique_ptr<CustomItemInfo> item);

  int ItemCount() const { return static_cast<int>(items_.size()); }
  const CustomItemInfo& Item(int itemNo) const {
    return *items_.at(static_cast<std::size_t>(itemNo));
  }
  std::int32_t GetItemStyle(int itemNo) const { return Item(itemNo).styleNo; }
  // A text item's text, or a non-text item's name, as UTF-16.
  std::u16string GetItemText(int itemNo) const;

  RichStyleSheet& Style() const { return *style_; }

  RichDocOptions options = kDefaultRichDocOptions;
  bool useStyleTemplates = false;
  // Document properties, one line each.
  std::vector<std::string> docProperties;

 private:
  std::vector<std::unique_ptr<CustomItemInfo>> items_;
  std::shared_ptr<RichStyleSheet> style_;
};

// True when the document holds nothing worth writing: no non-text item
// other than tabs, and no text item with anything but characters up to
// U+0020.
bool RichDocumentIsEmpty(const RichDocument& document);

// The document as the converter uses it: its own style sheet
// (MakeConverterStyleSheet) and kConverterRichDocOptions.
RichDocument MakeConverterRichDocument();

}  // namespace texttoxml::richtext
