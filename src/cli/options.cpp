#include "cli/options.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "cli/cli_errors.h"

namespace texttoxml::cli {

const char* const kUsage =
    "Usage: texttoxml convert INPUT... [-o OUTPUT | -O DIR] [--encoding E] [--date "
    "YYYY-MM-DDTHH:MM:SS[.mmm]] [--verbose] [--quiet]\n"
    "                        [--format text|json]\n"
    "       texttoxml check INPUT... [--encoding E] [--format text|json]\n"
    "       texttoxml preview INPUT [-o OUTPUT.html | -O DIR] [--encoding E]\n"
    "       texttoxml extract DOCUMENT.docx [-o TEXT.txt | -O DIR]\n"
    "       texttoxml --help | --version\n"
    "Every command also takes --lang en|ru, the language of its messages (by default\n"
    "  the one LC_ALL, LC_MESSAGES or LANG names).\n"
    "\n"
    "convert: converts task text files (or Word documents, .docx) into ExamoraPro 11.0\n"
    "  import XML files.\n"
    "  -o, --output OUTPUT  the XML file to write (one input only; \"-\" is standard output);\n"
    "                       by default INPUT with its extension replaced by .xml\n"
    "  -O, --output-dir DIR each INPUT's XML (or page, for preview) under its own name\n"
    "                       in the folder DIR instead of beside INPUT\n"
    "  --encoding E         how INPUT is read: auto (a byte order mark decides, else UTF-8\n"
    "                       when the bytes are UTF-8, else windows-1251), cp1251 or utf8;\n"
    "                       --utf8 is --encoding utf8\n"
    "  --date DATE          the SaveDate to write instead of the current local time\n"
    "  --verbose            say which file each input became\n"
    "  --quiet              do not print the warnings about the text\n"
    "  --format json        tell the findings and failures on standard error as one JSON\n"
    "                       report, as check --format json does (failures as \"error\")\n"
    "check: prints what the conversion will make of each input that its author may not\n"
    "  expect, as FILE:LINE: warning: MESSAGE lines and a summary, or as JSON.\n"
    "  Exit status 0 without warnings, 1 with warnings, 2 when an input cannot be read.\n"
    "preview: writes an HTML page that shows the tasks as the test editor will, with\n"
    "  the warnings at their tasks; by default INPUT with its extension replaced by .html.\n"
    "extract: writes the task text a Word document holds (UTF-8, by default DOCUMENT with\n"
    "  its extension replaced by .txt) and every picture it names beside it.\n";

namespace {

const std::string& ValueOf(const std::vector<std::string>& args, std::size_t& i) {
  if (i + 1 >= args.size()) throw UsageError::NeedsValue(args[i]);
  return args[++i];
}

std::optional<Options::Action> CommandAction(const std::string& command) {
  if (command == "convert") return Options::Action::Convert;
  if (command == "check") return Options::Action::Check;
  if (command == "preview") return Options::Action::Preview;
  if (command == "extract") return Options::Action::Extract;
  return std::nullopt;
}

conversion::TextEncoding ParseEncoding(const std::string& text) {
  if (text == "auto") return conversion::TextEncoding::Auto;
  if (text == "cp1251") return conversion::TextEncoding::Cp1251;
  if (text == "utf8") return conversion::TextEncoding::Utf8;
  throw UsageError::NotAnEncoding(text);
}

platform::Language ParseLanguage(const std::string& text) {
  if (auto language = platform::LanguageNamed(text)) return *language;
  throw UsageError::NotALanguage(text);
}

// "--advice page" is the page's own: its messages then point to the page's
// controls instead of the command line's options.
platform::Controls ParseAdvice(const std::string& text) {
  if (text == "page") return platform::Controls::Page;
  if (text == "cli") return platform::Controls::CommandLine;
  throw UsageError::NotAnAdvice(text);
}

Options::Format ParseFormat(const std::string& text) {
  if (text == "text") return Options::Format::Text;
  if (text == "json") return Options::Format::Json;
  throw UsageError::NotAFormat(text);
}

// Every command takes inputs, --lang and --advice, and all but extract
// --encoding; the other options belong to some.
bool TakesOption(Options::Action action, const std::string& option) {
  using Action = Options::Action;
  if (option == "--lang" || option == "--advice") return true;
  if (option == "-o" || option == "--output" || option == "-O" || option == "--output-dir") {
    return action != Action::Check;
  }
  if (option == "--format") return action == Action::Check || action == Action::Convert;
  if (option == "--date" || option == "--verbose" || option == "--quiet") {
    return action == Action::Convert;
  }
  return action != Action::Extract && (option == "--encoding" || option == "--utf8");
}

void ParseCommandArguments(const std::vector<std::string>& args, Options& options) {
  bool onlyInputs = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (onlyInputs || arg == "-" || arg.empty() || arg[0] != '-') {
      options.inputs.push_back(arg);
    } else if (arg == "--") {
      onlyInputs = true;
    } else if (!TakesOption(options.action, arg)) {
      throw UsageError::UnknownOption(arg, args[0]);
    } else if (arg == "-o" || arg == "--output") {
      if (options.output) throw UsageError::OutputGivenTwice();
      options.output = ValueOf(args, i);
    } else if (arg == "-O" || arg == "--output-dir") {
      if (options.outputDir) throw UsageError::OutputFolderGivenTwice();
      options.outputDir = ValueOf(args, i);
      // An unset variable ("-O $OUTDIR") must not mean the root folder.
      if (options.outputDir->empty()) throw UsageError::EmptyOutputFolder();
    } else if (arg == "--utf8") {
      options.encoding = conversion::TextEncoding::Utf8;
    } else if (arg == "--encoding") {
      options.encoding = ParseEncoding(ValueOf(args, i));
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else if (arg == "--quiet") {
      options.quiet = true;
    } else if (arg == "--lang") {
      options.language = ParseLanguage(ValueOf(args, i));
    } else if (arg == "--advice") {
      options.advice = ParseAdvice(ValueOf(args, i));
    } else if (arg == "--format") {
      options.format = ParseFormat(ValueOf(args, i));
    } else {  // --date
      const std::string& text = ValueOf(args, i);
      options.date = platform::ParseDateTime(text);
      if (!options.date) throw UsageError::NotADate(text);
    }
  }
  if (options.inputs.empty()) throw UsageError::NoInput();
  if (options.action == Options::Action::Preview && options.inputs.size() > 1)
    throw UsageError::OneInputOnly("preview");
  if (options.action == Options::Action::Extract && options.inputs.size() > 1)
    throw UsageError::OneInputOnly("extract");
  if (options.output && options.outputDir) throw UsageError::OutputAndFolder();
  if (options.output && options.inputs.size() > 1) throw UsageError::OutputOfManyInputs();
}

// An argument as a shell takes it back: quoted when it holds anything but
// the characters of plain names and options.
std::string ShellWord(const std::string& arg) {
  auto plain = [](unsigned char c) {
    return c >= 0x80 || std::isalnum(c) ||
           std::string_view("._/-=+:,@%").find(c) != std::string_view::npos;
  };
  if (!arg.empty() && std::all_of(arg.begin(), arg.end(), plain)) return arg;
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool LooksLikeFile(const std::string& word) {
  return !word.starts_with('-') && word.find_first_of("./") != std::string::npos;
}

UsageError UnknownCommand(const std::vector<std::string>& args) {
  if (!LooksLikeFile(args[0])) return UsageError::UnknownCommand(args[0]);
  std::string suggestion = "texttoxml convert";
  for (const std::string& arg : args) suggestion += " " + ShellWord(arg);
  return UsageError::FileForCommand(args[0], suggestion);
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
  Options options;
  if (args.empty()) throw UsageError::NoCommand();
  if (args[0] == "--help" || args[0] == "-h") {
    options.action = Options::Action::Help;
  } else if (args[0] == "--version") {
    options.action = Options::Action::Version;
  } else if (auto action = CommandAction(args[0])) {
    options.action = *action;
    ParseCommandArguments(args, options);
  } else {
    throw UnknownCommand(args);
  }
  return options;
}

}  // namespace texttoxml::cli
