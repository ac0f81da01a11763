#include "conversion/picture_variant.h"

#include <memory>

#include "conversion/embedded_data.h"
#include "pictures/picture.h"
#include "pictures/png_convert.h"
#include "richtext/rich_doc_writer.h"
#include "xml/xml_helper.h"

namespace texttoxml::conversion {

namespace {

// The graphic that the file holds, as PNG when it is a bitmap, copied into
// a fresh graphic of its own class; the loading container goes with this
// call.
std::unique_ptr<pictures::Graphic> LoadVariantGraphic(const std::string& path) {
  pictures::Picture picture;
  picture.LoadFromFile(path);
  pictures::ConvertPictureToPng(picture);
  return pictures::CopyGraphic(*picture.GetGraphic());
}

}  // namespace

void EmbedPictureVariant(xml::Element& variantText, const std::string& picturePath,
                         richtext::RichDocument& document) {
  document.Clear();
  document.AddPictureEx("", LoadVariantGraphic(picturePath), 0, richtext::VAlign::Baseline);
  const std::string richDoc = richtext::RichDocumentToBytes(document);
  if (richDoc.empty()) return;
  xml::AddChildElement(variantText, u"FormattedText").SetValue(EmbeddedData(richDoc));
}

}  // namespace texttoxml::conversion
