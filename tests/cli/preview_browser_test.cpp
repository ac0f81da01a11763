// The preview page as a browser shows it: headless Chromium renders the
// page of the bundled sample, and the screenshot's size and the page's text
// are compared with what the sample must give.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>

#include "cli/run.h"
#include "test_support.h"

namespace texttoxml::cli {
namespace {

using texttoxml::testing::ReadFile;
using texttoxml::testing::TempDir;

constexpr unsigned kWidth = 1000;
constexpr unsigned kHeight = 2200;

std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path == nullptr ? "" : path);
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::filesystem::path candidate = std::filesystem::path(folder) / name;
    if (!folder.empty() && std::filesystem::is_regular_file(candidate)) return candidate.string();
  }
  return "";
}

// Runs the browser on a page with a fresh profile; its own chatter goes to a
// log file. Returns the exit status of the shell.
int RunBrowser(const std::string& browser, const TempDir& dir, const std::string& page,
               const std::string& arguments, const std::string& standardOutput = "/dev/null") {
  static int run = 0;
  const std::string profile = dir.File("profile-" + std::to_string(++run));
  const std::string command =
      "timeout 120 '" + browser +
      "' --headless --no-sandbox --disable-gpu --disable-quic "
      "--no-first-run --disable-background-networking --disable-component-update --disable-sync "
      "--user-data-dir='" +
      profile + "' " + arguments + " 'file://" + page + "' >'" + standardOutput + "' 2>>'" +
      dir.File("browser.log") + "'";
  return std::system(command.c_str());
}

struct PngSize {
  unsigned width;
  unsigned height;
};

// The size from the header chunk, which follows the 8-byte signature.
std::optional<PngSize> SizeOfPng(const std::string& bytes) {
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1A\n") != 0 ||
      bytes.compare(12, 4, "IHDR") != 0) {
    return std::nullopt;
  }
  auto number = [&bytes](std::size_t at) {
    unsigned value = 0;
    for (std::size_t i = at; i < at + 4; ++i)
      value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
  };
  return PngSize{number(16), number(20)};
}

// The text of a serialised page's body: tags dropped, references decoded.
std::string BodyText(const std::string& markup) {
  const auto body = markup.find("<body");
  if (body == std::string::npos) return "";
  std::string text;
  bool inTag = false;
  for (char c : std::string_view(markup).substr(body)) {
    if (c == '<') inTag = true;
    if (!inTag) text += c;
    if (c == '>') inTag = false;
  }
  for (auto [reference, character] :
       {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}}) {
    for (auto at = text.find(reference); at != std::string::npos;
         at = text.find(reference, at + 1)) {
      text.replace(at, std::string_view(reference).size(), character);
    }
  }
  return text;
}

std::size_t Occurrences(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

int Preview(const std::string& input, const std::string& output, bool utf8 = false) {
  std::string ignored;
  platform::StringOutputStream out(ignored);
  std::ostringstream messages;
  std::vector<std::string> args{"preview", input, "-o", output};
  if (utf8) args.push_back("--utf8");
  return Run(args, out, messages);
}

class PreviewInBrowser : public ::testing::Test {
 protected:
  void SetUp() override {
    browser_ = FindOnPath("chromium");
    if (browser_.empty()) GTEST_SKIP() << "chromium is not installed";
  }
  std::string browser_;
  TempDir dir_;
};

TEST_F(PreviewInBrowser, RendersTheSample) {
  const std::string page = dir_.File("sample.html");
  ASSERT_EQ(Preview(std::string(TEXTTOXML_SOURCE_DIR) + "/examples/sample.txt", page), 0);

  const std::string shot = dir_.File("sample.png");
  ASSERT_EQ(RunBrowser(browser_, dir_, page,
                       "--screenshot='" + shot + "' --window-size=" + std::to_string(kWidth) + "," +
                           std::to_string(kHeight)),
            0)
      << ReadFile(dir_.File("browser.log"));
  const std::string png = ReadFile(shot);
  const auto size = SizeOfPng(png);
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(size->width, kWidth);
  EXPECT_EQ(size->height, kHeight);
  // Text, answer marks and four pictures: far more than an empty page
  // compresses to.
  EXPECT_GT(png.size(), 60000u);

  const std::string domFile = dir_.File("dom.html");
  ASSERT_EQ(RunBrowser(browser_, dir_, page, "--dump-dom", domFile), 0);
  const std::string dom = ReadFile(domFile);
  EXPECT_EQ(Occurrences(dom, "<article"), 8u);
  EXPECT_EQ(Occurrences(dom, "<img "), 4u);
  EXPECT_EQ(Occurrences(dom, "src=\"data:image/png;base64,"), 3u);
  EXPECT_EQ(Occurrences(dom, "src=\"data:image/jpeg;base64,"), 1u);

  EXPECT_NE(dom.find("<title>Preview: sample.txt</title>"), std::string::npos);
  const std::string text = BodyText(dom);
  for (const char* expected :
       {"8 tasks (2 single choice, 1 multiple choice, 1 ordering, 2 number entry, 2 text entry); "
        "pictures: 4 found, 0 missing; 0 warnings, 0 notes",
        "1single choicelines 1\u20136", "Какой месяц идет после марта?", "\u2713апрель", "3март",
        "5май",
        "Длина сторон прямоугольника равна 3 и 4 см.\nНайдите площадь и периметр прямоугольника.",
        "площадь:12", "периметр:14", "сентябрь", "Пушкин", "[formula1.png]"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  }
  EXPECT_EQ(text.find("warning:"), std::string::npos);
}

TEST_F(PreviewInBrowser, ShowsWarningsAndRunsNothingTheTextHolds) {
  const std::string input = dir_.Write("tasks.txt",
                                       "<script>document.title='run'</script>?\r\n- a\r\n\r\n<img "
                                       "src=x onerror=\"document.title='run'\">?\r\n+ b");
  const std::string page = dir_.File("tasks.html");
  ASSERT_EQ(Preview(input, page, true), 0);
  const std::string domFile = dir_.File("dom.html");
  ASSERT_EQ(RunBrowser(browser_, dir_, page, "--dump-dom", domFile), 0);
  const std::string dom = ReadFile(domFile);
  EXPECT_EQ(dom.find("<script"), std::string::npos);
  EXPECT_EQ(Occurrences(dom, "<img"), 0u);
  EXPECT_NE(dom.find("<title>Preview: tasks.txt</title>"), std::string::npos);  // not "run"
  const std::string text = BodyText(dom);
  EXPECT_NE(text.find("<script>document.title='run'</script>?"), std::string::npos);
  EXPECT_NE(text.find("line 2warning:no answer is marked \"+\": the task has no correct answer"),
            std::string::npos);
}

}  // namespace
}  // namespace texttoxml::cli
