#include "richtext/picture_properties.h"

#include <string_view>
#include <utility>

#include "platform/code_page.h"
#include "richtext/richtext_errors.h"

namespace texttoxml::richtext {

namespace {

class PropertyLines {
 public:
  void Number(std::string_view key, std::int64_t value, std::int64_t defaultValue) {
    if (value != defaultValue) lines_.push_back(std::string(key) + "=" + std::to_string(value));
  }

  void Text(std::string_view key, std::u16string_view value) {
    if (value.empty()) return;
    if (value.find_first_of(u"\r\n") != std::u16string_view::npos)
      throw PropertyLineBreakError(key);
    lines_.push_back(std::string(key) + "=" + platform::Utf16ToAnsi(value));
  }

  std::vector<std::string> Take() { return std::move(lines_); }

 private:
  std::vector<std::string> lines_;
};

}  // namespace

std::vector<std::string> PicturePropertyLines(const GraphicItemInfo& item) {
  const GraphicItemInfo defaults;
  PropertyLines lines;
  lines.Number("DeleteProtect", item.deleteProtect, defaults.deleteProtect);
  lines.Number("Hidden", item.hidden, defaults.hidden);
  lines.Number("MinHeightOnPage", item.minHeightOnPage, defaults.minHeightOnPage);
  lines.Number("VShift", item.vShift, defaults.vShift);
  lines.Number("VShiftAbs", item.vShiftAbs, defaults.vShiftAbs);
  lines.Number("Spacing", item.spacing, defaults.spacing);
  lines.Number("BorderWidth", item.borderWidth, defaults.borderWidth);
  lines.Number("OuterHSpacing", item.outerHSpacing, defaults.outerHSpacing);
  lines.Number("OuterVSpacing", item.outerVSpacing, defaults.outerVSpacing);
  lines.Number("BackgroundColor", item.backgroundColor, defaults.backgroundColor);
  lines.Number("BorderColor", item.borderColor, defaults.borderColor);
  lines.Number("Resizable", item.resizable, defaults.resizable);
  lines.Number("ImageWidth", item.imageWidth, defaults.imageWidth);
  lines.Number("ImageHeight", item.imageHeight, defaults.imageHeight);
  lines.Number("Interval", item.interval, defaults.interval);
  lines.Number("NoHTMLImageSize", item.noHtmlImageSize, defaults.noHtmlImageSize);
  lines.Text("Hint", item.hint);
  lines.Text("Alt", item.alt);
  lines.Text("ImageFileName", item.imageFileName);
  return lines.Take();
}

}  // namespace texttoxml::richtext
