// Command-line arguments of the converter.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "conversion/text_encoding.h"
#include "platform/clock.h"

namespace texttoxml::cli {

struct Options {
  enum class Action { Convert, Check, Preview, Extract, Help, Version };
  enum class Format { Text, Json };
  Action action = Action::Convert;
  std::vector<std::string> inputs;
  std::optional<std::string> output;     // "-" is standard output
  std::optional<std::string> outputDir;  // each input's output goes there
  conversion::TextEncoding encoding = conversion::TextEncoding::Auto;
  bool verbose = false;
  bool quiet = false;            // convert: no warnings on standard error
  Format format = Format::Text;  // check, convert: the report's form
  std::optional<platform::DateTime> date;
};

// Parses the arguments after the program name; a usage error raises
// UsageError with a one-line reason.
Options ParseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace texttoxml::cli
