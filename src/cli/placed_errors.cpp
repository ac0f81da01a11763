#include "cli/placed_errors.h"

#include "conversion/line_map.h"

namespace texttoxml::cli {

namespace {

// The line that names the picture; 0 when the input cannot be read again.
std::size_t PictureLine(const std::string& input, conversion::TextEncoding encoding,
                        const conversion::PictureInProgress& picture) {
  try {
    const conversion::LineMap lineMap(ReadInput(input, encoding).decoded);
    return lineMap.LineOfPreparedLine(picture.preparedLine);
  } catch (const std::exception&) {
    return 0;
  }
}

// A picture found beside the text is named as the text names it.
std::string PictureName(const std::string& path, const std::string& dir) {
  const std::string prefix = dir.ends_with('/') ? dir : dir + '/';
  return path.starts_with(prefix) ? path.substr(prefix.size()) : path;
}

}  // namespace

PlacedError PictureFailure(const std::string& input, conversion::TextEncoding encoding,
                           const InputText& text, const conversion::PictureInProgress& picture,
                           std::string_view cause) {
  const std::size_t line = PictureLine(input, encoding, picture);
  return PlacedError((line == 0 ? "" : ":" + std::to_string(line)) + ": picture \"" +
                     PictureName(picture.path, text.dir) + "\": " + DisplayMessage(cause));
}

PlacedError OutputFailure(const std::string& output, std::string_view cause) {
  return PlacedError(" -> " + output + ": " + DisplayMessage(cause));
}

}  // namespace texttoxml::cli
