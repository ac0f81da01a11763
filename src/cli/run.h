// The command-line converter, callable in-process for tests.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/stream.h"

namespace texttoxml::cli {

// Runs the converter on the arguments after the program name. XML for
// "-o -" goes to `standardOutput`; messages go to `messages`. Returns the exit
// status: 0 when every input converted, 1 when any failed, 2 on a usage error.
int Run(const std::vector<std::string>& args, platform::OutputStream& standardOutput,
        std::ostream& messages);

// The file an input becomes when no output is named: its extension replaced
// by ".xml", or ".xml" appended when it has none.
std::string DefaultOutputPath(const std::string& input);

}  // namespace texttoxml::cli
