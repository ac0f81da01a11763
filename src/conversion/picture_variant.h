// Picture answer variants: the picture, re-encoded as PNG when it is a
// bitmap, wrapped in a one-picture rich document whose RichDoc text becomes
// the variant's FormattedText.
#pragma once

#include <string>

#include "richtext/rich_document.h"
#include "xml/element.h"

namespace texttoxml::conversion {

// Loads the picture at `picturePath` by its extension into the cleared
// `document` and adds FormattedText, holding the document's RichDoc text in
// embedded form, as the next child of `variantText`. Raises the picture's
// loading error (an unknown extension, a file that cannot be opened or
// decoded); the document then holds nothing or the new picture.
void EmbedPictureVariant(xml::Element& variantText, const std::string& picturePath,
                         richtext::RichDocument& document);

}  // namespace texttoxml::conversion
