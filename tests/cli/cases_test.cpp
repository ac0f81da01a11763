// Exact-output cases kept as data, in tests/data/cases/*.md. Each case is
// a fenced block:
//
//   ```````` convert            (or: ```````` check)
//   task text lines
//   .
//   expected lines
//   ````````
//
// A convert case expects the Tasks element of the XML that the command
// line writes, indented by two spaces per level where the file has a tab
// (or the error message, when the conversion fails); a check case expects
// check's exact lines. "→" stands for a tab in both parts. The text is
// saved as tasks.txt in UTF-8 beside the bundled sample's pictures and the
// pictures in tests/data/cases/pictures, so names resolve as in a real
// folder; random picture names in the XML read as {GUID}.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "cli/run_support.h"
#include "test_support.h"

namespace texttoxml::cli {
namespace {

namespace fs = std::filesystem;

const fs::path kCases = fs::path(TEXTTOXML_TEST_DATA) / "cases";
constexpr std::string_view kFence = "````````";

struct Case {
  std::string file;  // case file name
  std::size_t line;  // line of the opening fence
  std::string kind;  // "convert" or "check"
  std::string input;
  std::string expected;
};

// Failures name the case by its place in the data.
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.file << ":" << c.line;
}

std::string Replace(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
    text.replace(at, from.size(), to);
  return text;
}

// The lines of a text; a last line needs no line break.
std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines = testing::SplitText(bytes, "\n");
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, std::size_t from, std::size_t to,
                      std::string_view separator) {
  std::string text;
  for (std::size_t i = from; i < to; ++i) text += lines[i] + std::string(separator);
  return Replace(text, "→", "\t");
}

// The cases of one file; a fence that is not closed, or a case without its
// "." line, fails the whole file.
std::vector<Case> ReadCases(const fs::path& path) {
  const std::vector<std::string> lines = SplitLines(testing::ReadFile(path.string()));
  std::vector<Case> cases;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].starts_with(kFence) || lines[i] == kFence) continue;
    std::size_t dot = i + 1, end;
    while (dot < lines.size() && lines[dot] != ".") ++dot;
    for (end = dot; end < lines.size() && lines[end] != kFence;) ++end;
    if (end >= lines.size())
      throw std::runtime_error(path.string() + ":" + std::to_string(i + 1) +
                               ": case is not closed");
    cases.push_back({path.filename().string(), i + 1, lines[i].substr(kFence.size() + 1),
                     JoinLines(lines, i + 1, dot, "\r\n"), JoinLines(lines, dot + 1, end, "\n")});
    i = end;
  }
  return cases;
}

std::vector<Case> AllCases() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kCases))
    if (entry.path().extension() == ".md") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  std::vector<Case> cases;
  for (const auto& file : files) {
    auto more = ReadCases(file);
    cases.insert(cases.end(), more.begin(), more.end());
  }
  return cases;
}

// The Tasks element of a written document, indented from zero, with two
// spaces for each tab of indentation past the Tasks element's own, and CR LF
// read as LF.
std::string TasksFragment(const std::string& xml) {
  std::string fragment;
  bool inside = false;
  for (std::string line : SplitLines(Replace(xml, "\r\n", "\n"))) {
    if (line == "\t\t\t<Tasks>" || line == "\t\t\t<Tasks/>") inside = true;
    if (!inside) continue;
    // Lines that go on inside a value start without indentation.
    const std::size_t tabs = line.find_first_not_of('\t');
    if (tabs == std::string::npos || tabs < 3)
      fragment += line + "\n";
    else
      fragment += std::string(2 * (tabs - 3), ' ') + line.substr(tabs) + "\n";
    if (line == "\t\t\t</Tasks>" || line == "\t\t\t<Tasks/>") break;
  }
  return std::regex_replace(fragment, std::regex("[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}"),
                            "{GUID}");
}

// A folder that holds the case's text and every picture the cases name.
std::string PrepareFolder(const testing::TempDir& dir, const Case& c) {
  for (const fs::path& from : {fs::path(TEXTTOXML_SOURCE_DIR) / "examples", kCases / "pictures"})
    for (const auto& entry : fs::directory_iterator(from))
      fs::copy_file(entry.path(), fs::path(dir.Path()) / entry.path().filename());
  return dir.Write("tasks.txt", c.input);
}

std::string Actual(const Case& c) {
  testing::TempDir dir;
  const std::string text = PrepareFolder(dir, c);
  const std::string folder = dir.Path() + "/";
  if (c.kind == "check") return Replace(RunWith({"check", "--utf8", text}).output, folder, "");
  const RunResult r =
      RunWith({"convert", "--utf8", text, "-o", "-", "--date", "2013-07-24T15:04:05.870"});
  return r.status == 0 ? TasksFragment(r.output) : Replace(r.messages, folder, "");
}

class Cases : public ::testing::TestWithParam<Case> {};

TEST_P(Cases, GiveTheirExactOutput) {
  const Case& c = GetParam();
  SCOPED_TRACE(c.file + ":" + std::to_string(c.line));
  ASSERT_TRUE(c.kind == "convert" || c.kind == "check") << "unknown case kind " << c.kind;
  EXPECT_TRUE(testing::SameAsRecorded(
      Actual(c), c.expected,
      "the expected part of the case at " + c.file + ":" + std::to_string(c.line)));
}

// The lines of `text` that are warnings.
std::string Warnings(const std::string& text) {
  std::string warnings;
  for (const std::string& line : SplitLines(text)) {
    if (line.find(": warning: ") != std::string::npos) warnings += line + "\n";
  }
  return warnings;
}

// `convert` finds its warnings in its own reading of the text, while it
// writes; they must be check's, line for line (check alone also reads every
// picture, so the cases keep unreadable pictures to the run tests; a
// picture refused by its extension is here, and the tasks after it are
// still examined).
TEST_P(Cases, ConvertWarnsAsCheckDoes) {
  const Case& c = GetParam();
  SCOPED_TRACE(c.file + ":" + std::to_string(c.line));
  testing::TempDir dir;
  const std::string text = PrepareFolder(dir, c);
  const RunResult checked = RunWith({"check", "--utf8", text});
  const RunResult converted = RunWith({"convert", "--utf8", text, "-o", "-"});
  // A blank text is refused before it is read for tasks.
  if (converted.messages.ends_with("Nothing to convert: the text is blank.\n")) return;
  EXPECT_EQ(Warnings(converted.messages), Warnings(checked.output));
}

INSTANTIATE_TEST_SUITE_P(Data, Cases, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string name = info.param.file.substr(0, info.param.file.find('.'));
                           return name + "_line" + std::to_string(info.param.line);
                         });

}  // namespace
}  // namespace texttoxml::cli
