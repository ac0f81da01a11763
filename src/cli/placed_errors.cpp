#include "cli/placed_errors.h"

namespace texttoxml::cli {

namespace {

// A picture found beside the text, or held in the document, is named as
// the text names it.
std::string PictureName(const std::string& path, const InputText& text) {
  for (const std::string& folder : {text.fullPath, text.dir}) {
    const std::string prefix = folder.ends_with('/') ? folder : folder + '/';
    if (path.starts_with(prefix)) return path.substr(prefix.size());
  }
  return path;
}

}  // namespace

PictureFailedError PictureFailure(const std::string& input, const InputText& text,
                                  const check::LineMap& lines,
                                  const conversion::PictureInProgress& picture,
                                  std::string_view cause) {
  return PictureFailedError(input,
                            PlaceOf(input, lines.LineOfPreparedLine(picture.preparedLine), text),
                            PictureName(picture.path, text), cause);
}

}  // namespace texttoxml::cli
