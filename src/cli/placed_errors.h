// Failures of a conversion told with where they happened: the line and the
// picture the text names.
#pragma once

#include <string>

#include "check/line_map.h"
#include "cli/cli_errors.h"
#include "cli/command_files.h"
#include "conversion/test_document.h"

namespace texttoxml::cli {

// What the builder raised on a picture, told with the line that names the
// picture in `input` and the picture's name as the text names it.
PictureFailedError PictureFailure(const std::string& input, const InputText& text,
                                  const check::LineMap& lines,
                                  const conversion::PictureInProgress& picture,
                                  std::string_view cause);

}  // namespace texttoxml::cli
