#include "cli/placed_errors.h"

namespace texttoxml::cli {

namespace {

// A picture found beside the text is named as the text names it.
std::string PictureName(const std::string& path, const std::string& dir) {
  const std::string prefix = dir.ends_with('/') ? dir : dir + '/';
  return path.starts_with(prefix) ? path.substr(prefix.size()) : path;
}

}  // namespace

PictureFailedError PictureFailure(const std::string& input, const std::string& dir,
                                  const check::LineMap& lines,
                                  const conversion::PictureInProgress& picture,
                                  std::string_view cause) {
  return PictureFailedError(input, lines.LineOfPreparedLine(picture.preparedLine),
                            PictureName(picture.path, dir), cause);
}

}  // namespace texttoxml::cli
