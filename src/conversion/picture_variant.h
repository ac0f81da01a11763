// Picture answer variants: the picture, re-encoded as PNG when it is a
// bitmap, wrapped in a one-picture rich document whose RichDoc text becomes
// the variant's FormattedText.
#pragma once

#include <string>

#include "conversion/picture_cache.h"
#include "xml/element.h"

namespace texttoxml::conversion {

// Embeds the picture variants of one conversion. The FormattedText of a
// file is made once and reused for every variant that names the same file
// unchanged: it depends on nothing but the file's bytes.
class PictureVariantWriter {
 public:
  // Loads the picture at `picturePath` by its extension and adds
  // FormattedText, holding the RichDoc text of a document of that one
  // picture in embedded form, as the next child of `variantText`. Raises the
  // picture's loading error (an unknown extension, a file that cannot be
  // opened or decoded, memory that runs out).
  void Embed(xml::Element& variantText, const std::string& picturePath);

  // Forgets the files embedded so far, to start a new conversion.
  void Clear() { formattedTexts_.Clear(); }

 private:
  // The embedded RichDoc text of the picture, or empty when it has none.
  static std::string FormattedTextOf(const std::string& picturePath);

  PictureCache<std::string> formattedTexts_;
};

}  // namespace texttoxml::conversion
