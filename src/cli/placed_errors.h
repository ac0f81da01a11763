// Failures of a conversion that say where they happened: the line and the
// picture the text names, or the file being written. Their messages follow
// the input's name directly ("tasks.txt:12: ...", "tasks.txt -> out.xml: ...").
#pragma once

#include <string>
#include <string_view>

#include "cli/command_files.h"
#include "conversion/test_document.h"
#include "error.h"

namespace texttoxml::cli {

class PlacedError : public Error {
 public:
  using Error::Error;
};

// What the builder raised on a picture, told with the line that names the
// picture in `input` (read again to count its lines) and the picture's name
// as it stands beside the text.
PlacedError PictureFailure(const std::string& input, conversion::TextEncoding encoding,
                           const InputText& text, const conversion::PictureInProgress& picture,
                           std::string_view cause);

// A failure with no line, such as a full disk, names the file being written.
PlacedError OutputFailure(const std::string& output, std::string_view cause);

}  // namespace texttoxml::cli
