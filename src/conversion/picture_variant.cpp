#include "conversion/picture_variant.h"

#include "conversion/embedded_data.h"
#include "conversion/stored_picture.h"
#include "error.h"
#include "richtext/rich_doc_writer.h"
#include "xml/xml_helper.h"

namespace texttoxml::conversion {

void PictureVariantWriter::Embed(xml::Element& variantText, const std::string& picturePath) {
  std::string formatted =
      formattedTexts_.Get(picturePath, [&] { return FormattedTextOf(picturePath); });
  if (formatted.empty()) return;
  xml::AddChildElement(variantText, u"FormattedText").TakeValue(std::move(formatted));
}

std::string PictureVariantWriter::FormattedTextOf(const std::string& picturePath) {
  // A document of its own, so that the picture goes with it at once.
  richtext::RichDocument document = richtext::MakeConverterRichDocument();
  document.AddPictureEx("", LoadStoredGraphic(picturePath), 0, richtext::VAlign::Baseline);
  return RaisingOnOutOfMemory(
      [&] {
        const richtext::RichDocText richDoc = richtext::WriteRichDocText(document);
        return richDoc.Empty() ? std::string() : EmbeddedData(richDoc);
      },
      [&] { return OutOfMemoryError::ReadingPicture(picturePath); });
}

}  // namespace texttoxml::conversion
