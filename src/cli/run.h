// The command-line converter, callable in-process for tests.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/options.h"
#include "platform/stream.h"

namespace texttoxml::cli {

// Runs the program on the arguments after the program name. XML, a preview
// page for "-o -" and the check report go to `standardOutput`; messages go to
// `messages`. Returns the exit status: 2 on a usage error; for convert and
// preview 0 when every input was written and 1 when any failed; for check
// what RunCheck says. `progress`, when given, is told of each task that
// convert writes.
int Run(const std::vector<std::string>& args, platform::OutputStream& standardOutput,
        std::ostream& messages, const ProgressSink& progress = {});

}  // namespace texttoxml::cli
