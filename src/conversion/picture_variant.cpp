#include "conversion/picture_variant.h"

#include <memory>

#include "conversion/embedded_data.h"
#include "conversion/stored_picture.h"
#include "richtext/rich_doc_writer.h"
#include "xml/xml_helper.h"

namespace texttoxml::conversion {

void EmbedPictureVariant(xml::Element& variantText, const std::string& picturePath,
                         richtext::RichDocument& document) {
  document.Clear();
  document.AddPictureEx("", LoadStoredGraphic(picturePath), 0, richtext::VAlign::Baseline);
  richtext::RichDocText richDoc = richtext::WriteRichDocText(document);
  if (richDoc.Empty()) return;
  xml::AddChildElement(variantText, u"FormattedText")
      .SetValueSource(std::make_unique<EmbeddedData<richtext::RichDocText>>(std::move(richDoc)));
}

}  // namespace texttoxml::conversion
