#include <iostream>

#include "cli/run.h"
#include "platform/files.h"
#include "platform/interrupt_cleanup.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  texttoxml::platform::RemoveTemporaryFileOnInterrupt();
  texttoxml::platform::StdoutStream standardOutput;
  return texttoxml::cli::Run(args, standardOutput, std::cerr);
}
