// The README shows the command line at work; its examples run here, so that
// the README and the program cannot drift apart.
//
// An example is a "text" block of "$ " lines and what follows each:
//
//   $ cd examples && texttoxml check ARGS   runs in the examples folder
//   $ cat NAME                              the lines up to the next "$ " line are the file NAME
//   $ texttoxml check ARGS                  runs in a folder that holds the files shown by cat
//
// The lines after a texttoxml line, up to the next "$ " line or the end of
// the block, are what it prints on standard output.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/options.h"
#include "cli/run_support.h"
#include "test_support.h"

namespace texttoxml::cli {
namespace {

namespace fs = std::filesystem;

const std::string kSource = TEXTTOXML_SOURCE_DIR;

struct Example {
  std::size_t line = 0;  // of the README
  bool inExamples = false;
  std::vector<std::pair<std::string, std::string>> files;  // shown by cat: name, content
  std::vector<std::string> args;
  std::string shown;
};

std::vector<std::string> ReadmeLines() {
  std::istringstream readme(testing::ReadFile(kSource + "/README.md"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(readme, line);) lines.push_back(line);
  return lines;
}

// The lines from `i` up to the next "$ " line or the end of the block, each
// followed by LF; `i` is left on the line that ends them.
std::string TakeShown(const std::vector<std::string>& lines, std::size_t& i) {
  std::string shown;
  for (; i < lines.size() && lines[i] != "```" && !lines[i].starts_with("$ "); ++i) {
    shown += lines[i] + "\n";
  }
  return shown;
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::vector<Example> ReadmeExamples() {
  const std::string inExamples = "$ cd examples && texttoxml check ";
  const std::string inFolder = "$ texttoxml check ";
  const std::vector<std::string> lines = ReadmeLines();
  std::vector<Example> examples;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != "```text") continue;
    Example example;
    for (++i; i < lines.size() && lines[i] != "```";) {
      const std::string command = lines[i];
      example.line = ++i;
      if (command.starts_with("$ cat ")) {
        example.files.emplace_back(command.substr(6), TakeShown(lines, i));
      } else if (command.starts_with(inExamples) || command.starts_with(inFolder)) {
        example.inExamples = command.starts_with(inExamples);
        example.args = Words(command.substr(command.find(" check ") + 1,
                                            command.find(" ←") - command.find(" check ") - 1));
        example.shown = TakeShown(lines, i);
        examples.push_back(example);
      }
    }
  }
  return examples;
}

// Runs a command in another current folder and returns to the one before.
RunResult RunIn(const fs::path& folder, const std::vector<std::string>& args) {
  const fs::path before = fs::current_path();
  fs::current_path(folder);
  RunResult result = RunWith(args);
  fs::current_path(before);
  return result;
}

TEST(Readme, CheckExamplesPrintWhatTheReadmeShows) {
  const std::vector<Example> examples = ReadmeExamples();
  // The bundled sample as text and as JSON, the text with slips, and a
  // Word document of the test data.
  ASSERT_EQ(examples.size(), 4u);
  for (const Example& example : examples) {
    SCOPED_TRACE("README.md:" + std::to_string(example.line));
    testing::TempDir dir;
    for (const auto& [name, content] : example.files) dir.Write(name, content);
    for (const std::string& arg : example.args) {
      if (arg.ends_with(".docx")) fs::copy_file(kSource + "/tests/data/docx/" + arg, dir.File(arg));
    }
    const RunResult r =
        RunIn(example.inExamples ? kSource + "/examples" : dir.Path(), example.args);
    EXPECT_NE(r.status, 2) << r.messages;
    EXPECT_EQ(r.messages, "");
    EXPECT_EQ(r.output, example.shown);
  }
}

// Every option that the usage text names.
std::vector<std::string> UsageOptions() {
  const std::string usage = kUsage;
  const std::regex option(R"((^|[\s\[|,])(--?[A-Za-z][A-Za-z0-9-]*))");
  std::vector<std::string> options;
  for (auto it = std::sregex_iterator(usage.begin(), usage.end(), option);
       it != std::sregex_iterator(); ++it) {
    const std::string name = (*it)[2];
    if (std::find(options.begin(), options.end(), name) == options.end()) options.push_back(name);
  }
  return options;
}

TEST(Readme, DocumentsEveryOptionOfTheUsage) {
  const std::vector<std::string> options = UsageOptions();
  for (const char* expected :
       {"-o", "--output", "-O", "--output-dir", "--encoding", "--utf8", "--date", "--verbose",
        "--quiet", "--format", "--help", "--version"}) {
    EXPECT_NE(std::find(options.begin(), options.end(), expected), options.end()) << expected;
  }
  std::string readme;
  for (const std::string& line : ReadmeLines()) readme += line + "\n";
  for (const std::string& name : options) {
    // "-o" must stand on its own, not as the start of "--output" or "-o-".
    EXPECT_TRUE(
        std::regex_search(readme, std::regex("(^|[^A-Za-z0-9-])" + name + "($|[^A-Za-z0-9-])")))
        << name << " is in the usage text but not in the README";
  }
}

}  // namespace
}  // namespace texttoxml::cli
