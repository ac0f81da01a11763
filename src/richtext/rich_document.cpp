#include "richtext/rich_document.h"

#include <algorithm>
#include <utility>

#include "platform/code_page.h"

namespace texttoxml::richtext {

namespace {

std::u16string FromUtf16Le(const std::string& bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return text;
}

bool IsBlank(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c <= u' '; });
}

}  // namespace

RichDocument::RichDocument(std::shared_ptr<RichStyleSheet> style) : style_(std::move(style)) {}

void RichDocument::Clear() {
  items_.clear();
  docProperties.clear();
}

void RichDocument::AddPictureEx(std::string name, std::unique_ptr<pictures::Graphic> graphic,
                                std::int32_t paraNo, VAlign vAlign) {
  auto item = std::make_unique<GraphicItemInfo>();
  item->image = std::move(graphic);
  item->vAlign = vAlign;
  item->itemText = std::move(name);
  if (paraNo >= 0 || items_.empty()) {
    item->paraNo = std::max(paraNo, 0);
  } else {
    item->paraNo = items_.back()->paraNo;
    item->itemOptions |= kIoSameAsPrev;
  }
  AddItem(std::move(item));
}

void RichDocument::AddItem(std::unique_ptr<CustomItemInfo> item) {
  if (items_.empty()) item->itemOptions &= static_cast<ItemOptions>(~(kIoSameAsPrev | kIoBR));
  items_.push_back(std::move(item));
}

std::u16string RichDocument::GetItemText(int itemNo) const {
  const CustomItemInfo& item = Item(itemNo);
  if (item.styleNo >= 0 && (item.itemOptions & kIoUnicode)) return FromUtf16Le(item.itemText);
  return platform::AnsiToUtf16(item.itemText);
}

bool RichDocumentIsEmpty(const RichDocument& document) {
  for (int i = 0; i < document.ItemCount(); ++i) {
    const std::int32_t style = document.GetItemStyle(i);
    if (style == kItemTab) continue;
    if (style < 0) return false;
    if (!IsBlank(document.GetItemText(i))) return false;
  }
  return true;
}

RichDocument MakeConverterRichDocument() {
  RichDocument document(MakeConverterStyleSheet());
  document.options = kConverterRichDocOptions;
  return document;
}

}  // namespace texttoxml::richtext
