// Runs the command-line converter in-process and keeps what it printed; the
// file helpers the command-line tests use go by their short names here.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/run.h"
#include "platform/stream.h"
#include "test_support.h"

namespace texttoxml::cli {

using texttoxml::testing::FolderEntries;
using texttoxml::testing::ReadFile;
using texttoxml::testing::TempDir;

struct RunResult {
  int status = 0;
  std::string output;    // what went to standard output
  std::string messages;  // what went to standard error
};

inline RunResult RunWith(const std::vector<std::string>& args) {
  RunResult result;
  platform::StringOutputStream out(result.output);
  std::ostringstream messages;
  result.status = Run(args, out, messages);
  result.messages = messages.str();
  return result;
}

}  // namespace texttoxml::cli
