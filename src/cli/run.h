// The command-line converter, callable in-process for tests.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/stream.h"

namespace texttoxml::cli {

// Runs the program on the arguments after the program name. XML, a preview
// page for "-o -" and the check report go to `standardOutput`; messages go to
// `messages`. Returns the exit status: 2 on a usage error; for convert and
// preview 0 when every input was written and 1 when any failed; for check
// what RunCheck says.
int Run(const std::vector<std::string>& args, platform::OutputStream& standardOutput,
        std::ostream& messages);

}  // namespace texttoxml::cli
