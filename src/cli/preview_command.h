// "texttoxml preview": one input's preview page, written to a file or to
// standard output.
#pragma once

#include "cli/options.h"
#include "platform/stream.h"

namespace texttoxml::cli {

// Raises what reading the input or writing the page raises.
void RunPreview(const Options& options, platform::OutputStream& standardOutput);

}  // namespace texttoxml::cli
