#include "conversion/picture_variant.h"

#include <memory>

#include "conversion/embedded_data.h"
#include "conversion/stored_picture.h"
#include "error.h"
#include "richtext/rich_doc_writer.h"

namespace texttoxml::conversion {

namespace {

// Past this many picture bytes kept, the cache starts afresh.
constexpr std::size_t kHeldBudget = std::size_t{64} << 20;

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

void PictureVariantWriter::Embed(xml::Element& variantText, const std::string& picturePath) {
  if (heldBytes_ > kHeldBudget) Clear();
  SharedText text = richDocTexts_.Get(picturePath, [&] {
    SharedText made = RichDocTextOf(picturePath);
    if (made) heldBytes_ += made->Size() / 2;
    return made;
  });
  if (!text) return;
  variantText.NodeNew("FormattedText")
      .SetValueSource(std::make_unique<SharedRichDocText>(std::move(text)));
}

void PictureVariantWriter::Clear() {
  richDocTexts_.Clear();
  heldBytes_ = 0;
}

PictureVariantWriter::SharedText PictureVariantWriter::RichDocTextOf(
    const std::string& picturePath) {
  // A document of its own, so that the picture goes with it at once.
  richtext::RichDocument document = richtext::MakeConverterRichDocument();
  document.AddPictureEx("", LoadStoredGraphic(picturePath), 0, richtext::VAlign::Baseline);
  return RaisingOnOutOfMemory(
      [&]() -> SharedText {
        richtext::RichDocText richDoc = richtext::WriteRichDocText(document);
        if (richDoc.Empty()) return nullptr;
        return std::make_shared<const richtext::RichDocText>(std::move(richDoc));
      },
      [&] { return OutOfMemoryError::ReadingPicture(picturePath); });
}

}  // namespace texttoxml::conversion
