// The pictures a document's text names: each picture part is read on its
// first use and given the name it stands under in the text.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "docx/picture_content.h"
#include "docx/relationships.h"
#include "docx/word_document.h"

namespace texttoxml::docx {

class Package;

// A picture as it stands in the text.
struct PictureReference {
  std::u16string name;  // what goes between the brackets
  bool linked = false;  // a picture outside the document, named by its target
};

class PictureSet {
 public:
  // `relationships` are those of the main document part; both must outlive
  // the set.
  PictureSet(Package& package, const Relationships& relationships)
      : package_(package), relationships_(relationships) {}

  // The picture that relationship `id` points at, shown at `size`; nullopt
  // when the document has no such relationship. An embedded part that the
  // archive does not hold keeps its name, so that the text still says which
  // picture is missing.
  std::optional<PictureReference> Use(std::string_view id, std::optional<ShownSize> size);

  // The pictures used, in order of first use.
  std::vector<DocumentPicture> Take() { return std::move(pictures_); }

 private:
  std::string UniqueName(std::string_view partName);

  Package& package_;
  const Relationships& relationships_;
  std::map<std::string, std::string, std::less<>> nameOfPart_;
  std::set<std::string, std::less<>> takenNames_;  // lower case
  std::vector<DocumentPicture> pictures_;
};

}  // namespace texttoxml::docx
