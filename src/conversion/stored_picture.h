// A picture variant in the form the conversion stores it: loaded by its
// extension, a bitmap re-encoded as PNG, written by its graphic kind.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "conversion/picture_cache.h"
#include "pictures/graphic.h"
#include "platform/translate.h"

namespace texttoxml::conversion {

// What becomes of a picture that cannot be written, in the words of `check`
// and `preview`.
inline constexpr std::string_view kPlaceholderStored = platform::TrLater(
    "the conversion succeeds but stores the 32 x 32 invalid picture instead of this one");

struct StoredPicture {
  std::string className;  // "TPngImage", "TJPEGImage", "TGIFImage", ...
  std::string bytes;      // the graphic's stored byte form
  // Why the graphic cannot be written (a GIF whose colours its palette
  // lacks, say), or empty. The conversion then stores its 32 x 32 invalid
  // picture in its place and goes on, and `bytes` is empty.
  std::string unwritable;
};

// The bytes of a picture variant's file and the kind they are loaded as:
// the lower-case extension of its name.
struct PictureFileBytes {
  std::string kind;
  std::string bytes;
};

// Raises UnknownPictureExtensionError, before anything is read, when no kind
// takes the name's extension; then what ReadPictureFile raises, and
// VariantPictureTooLargeError for a file above kMaxPictureFileBytes, which
// is read at most one byte past the limit.
PictureFileBytes ReadVariantPictureFile(const std::string& path);

// The graphic that `file` holds, as PNG when it is a bitmap, copied into a
// fresh graphic of its own class: what a picture variant stores. Raises
// what loading raises, and OutOfMemoryError "Not enough memory to read
// picture ..." (naming `path`) when memory runs out.
std::unique_ptr<pictures::Graphic> LoadStoredGraphic(const std::string& path,
                                                     const PictureFileBytes& file);

// Raises what ReadVariantPictureFile and loading raise: an unknown
// extension, a file that cannot be opened, a picture its kind cannot decode,
// memory that runs out. These fail the conversion.
StoredPicture LoadStoredPicture(const std::string& path);

// Picture bytes that one conversion, check or preview keeps for later uses
// of the same picture; past them the least recently used go.
inline constexpr std::size_t kKeptPictureBudget = std::size_t{64} << 20;

// The stored pictures of one pass over a text (`check`, `preview`): each
// content is loaded and written once, however often the text names it.
class StoredPictures {
 public:
  StoredPictures();

  // As LoadStoredPicture; a picture loaded before is not loaded again.
  StoredPicture Load(const std::string& path);

  // The same for the bytes of the file at `path`, read before.
  StoredPicture Load(const std::string& path, PictureFileBytes file);

 private:
  PictureCache<StoredPicture> cache_;
};

}  // namespace texttoxml::conversion
