// Picture answer variants: the picture, re-encoded as PNG when it is a
// bitmap, wrapped in a one-picture rich document whose RichDoc text becomes
// the variant's FormattedText.
#pragma once

#include <memory>
#include <string>

#include "conversion/picture_cache.h"
#include "conversion/stored_picture.h"
#include "richtext/rich_doc_text.h"
#include "xml/element.h"

namespace texttoxml::conversion {

// Embeds the picture variants of one conversion. The RichDoc text of a
// picture is made once and reused for every variant whose file holds the
// same bytes under a name of the same kind: it depends on nothing else.
// What is kept for later variants stays within a budget, so that a text of
// many large pictures does not hold them all; the pictures used least
// recently give way first.
class PictureVariantWriter {
 public:
  PictureVariantWriter();

  // Loads the picture at `picturePath` by its extension and adds
  // FormattedText, holding the RichDoc text of a document of that one
  // picture in embedded form, as the next child of `variantText`. Raises the
  // picture's loading error (an unknown extension, a file that cannot be
  // opened or decoded, memory that runs out).
  void Embed(xml::Element& variantText, const std::string& picturePath);

  // Forgets the files embedded so far, to start a new conversion.
  void Clear();

 private:
  using SharedText = std::shared_ptr<const richtext::RichDocText>;

  // The RichDoc text of a document of the one picture; none when empty.
  static SharedText RichDocTextOf(const std::string& picturePath, const PictureFileBytes& file);

  PictureCache<SharedText> richDocTexts_;
};

}  // namespace texttoxml::conversion
