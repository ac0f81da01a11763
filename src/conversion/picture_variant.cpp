#include "conversion/picture_variant.h"

#include <memory>

#include "conversion/embedded_data.h"
#include "conversion/stored_picture.h"
#include "error.h"
#include "richtext/rich_doc_writer.h"

namespace texttoxml::conversion {

namespace {

// A variant's FormattedText, written from the RichDoc text that every
// variant naming the same file shares.
class SharedRichDocText : public xml::ValueSource {
 public:
  explicit SharedRichDocText(std::shared_ptr<const richtext::RichDocText> text)
      : text_(std::move(text)) {}
  void WriteTo(platform::OutputStream& out) const override { WriteEmbeddedData(*text_, out); }

 private:
  std::shared_ptr<const richtext::RichDocText> text_;
};

}  // namespace

PictureVariantWriter::PictureVariantWriter()
    : richDocTexts_(kKeptPictureBudget,
                    // The picture bytes a text holds: two characters each.
                    [](const SharedText& text) { return text ? text->Size() / 2 : 0; }) {}

void PictureVariantWriter::Embed(xml::Element& variantText, const std::string& picturePath) {
  PictureFileBytes file = ReadVariantPictureFile(picturePath);
  const std::string kind = file.kind;
  SharedText text = richDocTexts_.Get(kind, std::move(file.bytes), [&](const std::string& bytes) {
    return RichDocTextOf(picturePath, {kind, bytes});
  });
  if (!text) return;
  variantText.NodeNew("FormattedText")
      .SetValueSource(std::make_unique<SharedRichDocText>(std::move(text)));
}

void PictureVariantWriter::Clear() {
  richDocTexts_.Clear();
}

PictureVariantWriter::SharedText PictureVariantWriter::RichDocTextOf(const std::string& picturePath,
                                                                     const PictureFileBytes& file) {
  // A document of its own, so that the picture goes with it at once.
  richtext::RichDocument document = richtext::MakeConverterRichDocument();
  document.AddPictureEx("", LoadStoredGraphic(picturePath, file), 0, richtext::VAlign::Baseline);
  return RaisingOnOutOfMemory(
      [&]() -> SharedText {
        richtext::RichDocText richDoc = richtext::WriteRichDocText(document);
        if (richDoc.Empty()) return nullptr;
        return std::make_shared<const richtext::RichDocText>(std::move(richDoc));
      },
      [&] { return OutOfMemoryError::ReadingPicture(picturePath); });
}

}  // namespace texttoxml::conversion
