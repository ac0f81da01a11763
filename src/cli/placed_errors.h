// Failures of a conversion that say where they happened: the line and the
// picture the text names, or the file being written.
#pragma once

#include <string>
#include <string_view>

#include "cli/cli_errors.h"
#include "cli/command_files.h"
#include "conversion/test_document.h"

namespace texttoxml::cli {

// What the builder raised on a picture, told with the line that names the
// picture in `input` (read again to count its lines) and the picture's name
// as it stands beside the text.
PlacedError PictureFailure(const std::string& input, conversion::TextEncoding encoding,
                           const InputText& text, const conversion::PictureInProgress& picture,
                           std::string_view cause);

// A failure with no line, such as a full disk, names the file being written.
PlacedError OutputFailure(const std::string& output, std::string_view cause);

}  // namespace texttoxml::cli
