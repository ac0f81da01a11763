// Picture answer variants: the picture, re-encoded as PNG when it is a
// bitmap, wrapped in a one-picture rich document whose RichDoc text becomes
// the variant's FormattedText.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "conversion/picture_cache.h"
#include "richtext/rich_doc_text.h"
#include "xml/element.h"

namespace texttoxml::conversion {

// Embeds the picture variants of one conversion. The RichDoc text of a file
// is made once and reused for every variant that names the same file
// unchanged: it depends on nothing but the file's bytes. What is kept for
// later variants stays within a budget, so that a text of many large
// pictures does not hold them all.
class PictureVariantWriter {
 public:
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
  static SharedText RichDocTextOf(const std::string& picturePath);

  PictureCache<SharedText> richDocTexts_;
  std::size_t heldBytes_ = 0;  // picture bytes that the kept texts hold
};

}  // namespace texttoxml::conversion
