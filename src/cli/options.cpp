#include "cli/options.h"

namespace texttoxml::cli {

const char* const kUsage =
    "Usage: texttoxml convert INPUT... [-o OUTPUT] [--utf8] [--date YYYY-MM-DDTHH:MM:SS[.mmm]] [--verbose]\n"
    "       texttoxml --help | --version\n"
    "\n"
    "Converts task text files into ExamoraPro 11.0 import XML files.\n"
    "  -o, --output OUTPUT  the XML file to write (one input only; \"-\" is standard output);\n"
    "                       by default INPUT with its extension replaced by .xml\n"
    "  --utf8               read the input as UTF-8 (otherwise windows-1251, unless it\n"
    "                       starts with a UTF-8 or UTF-16 byte order mark)\n"
    "  --date DATE          the SaveDate to write instead of the current local time\n"
    "  --verbose            say which file each input became\n";

namespace {

const std::string& ValueOf(const std::vector<std::string>& args, std::size_t& i) {
  if (i + 1 >= args.size()) throw UsageError("option " + args[i] + " needs a value");
  return args[++i];
}

void ParseConvertArguments(const std::vector<std::string>& args, Options& options) {
  bool onlyInputs = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (onlyInputs || arg == "-" || arg.empty() || arg[0] != '-') {
      options.inputs.push_back(arg);
    } else if (arg == "--") {
      onlyInputs = true;
    } else if (arg == "-o" || arg == "--output") {
      if (options.output) throw UsageError("the output is given twice");
      options.output = ValueOf(args, i);
    } else if (arg == "--utf8") {
      options.utf8 = true;
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else if (arg == "--date") {
      const std::string& text = ValueOf(args, i);
      options.date = platform::ParseDateTime(text);
      if (!options.date) throw UsageError("not a date and time: " + text);
    } else {
      throw UsageError("unknown option " + arg);
    }
  }
  if (options.inputs.empty()) throw UsageError("no input file");
  if (options.output && options.inputs.size() > 1)
    throw UsageError("-o is allowed with one input only");
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
  Options options;
  if (args.empty()) throw UsageError("no command");
  if (args[0] == "--help" || args[0] == "-h") {
    options.action = Options::Action::Help;
  } else if (args[0] == "--version") {
    options.action = Options::Action::Version;
  } else if (args[0] == "convert") {
    ParseConvertArguments(args, options);
  } else {
    throw UsageError("unknown command " + args[0]);
  }
  return options;
}

}  // namespace texttoxml::cli
