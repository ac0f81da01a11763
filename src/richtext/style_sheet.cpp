#include "richtext/style_sheet.h"

#include "richtext/invalid_picture.h"

namespace texttoxml::richtext {

std::shared_ptr<RichStyleSheet> MakeConverterStyleSheet() {
  auto sheet = std::make_shared<RichStyleSheet>();

  FontInfo text;
  text.styleName = u"Normal text";
  text.fontName = u"Arial";
  text.unicode = true;
  sheet->textStyles = {text};

  ParaInfo plain;
  ParaInfo centered;
  centered.styleName = u"Centered";
  centered.alignment = Alignment::Center;
  sheet->paraStyles = {plain, centered};

  sheet->invalidPicture = MakeInvalidPicture();
  return sheet;
}

}  // namespace texttoxml::richtext
