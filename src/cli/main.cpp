#include <iostream>

#include "cli/run.h"
#include "platform/files.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  texttoxml::platform::StdoutStream standardOutput;
  return texttoxml::cli::Run(args, standardOutput, std::cerr);
}
