// Command-line arguments of the converter.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "conversion/text_encoding.h"
#include "platform/clock.h"
#include "platform/language.h"

namespace texttoxml::cli {

// Told how far the conversion of an input has come: `done` of its `total`
// tasks are written.
using ProgressSink = std::function<void(std::size_t done, std::size_t total)>;

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
  std::optional<platform::Language> language;  // by default the environment's
  platform::Controls advice = platform::Controls::CommandLine;
  ProgressSink progress;  // not an argument: given by a caller that shows progress
};

// Parses the arguments after the program name; a usage error raises
// UsageError with a one-line reason.
Options ParseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace texttoxml::cli
