// The command line in Russian: messages, findings and the preview follow
// --lang or the environment, while the XML, the JSON keys and the exit
// status stay the same.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "cli/run_support.h"
#include "platform/translate.h"

namespace texttoxml::cli {
namespace {

// Sets an environment variable for one test and puts back what was there.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    if (value == nullptr) {
      unsetenv(name);
    } else {
      setenv(name, value, 1);
    }
  }
  ~ScopedVariable() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A text whose first task is no task and whose second has no correct answer.
constexpr std::string_view kMistakes = "1917 год?\r\n+ да\r\n\r\nВопрос?\r\n- а\r\n- б";

struct Locale {
  ScopedVariable all{"LC_ALL", nullptr};
  ScopedVariable messages{"LC_MESSAGES", nullptr};
  ScopedVariable lang{"LANG", "C.UTF-8"};
};

TEST(Language, RussianFindingsAndSummaryWithLangRu) {
  const Locale locale;
  TempDir dir;
  const std::string text = dir.Write("t.txt", kMistakes);
  const RunResult english = RunWith({"check", "--utf8", text});
  const RunResult russian = RunWith({"check", "--lang", "ru", "--utf8", text});
  EXPECT_EQ(russian.status, english.status);
  EXPECT_NE(english.output.find(":1: warning: not a task"), std::string::npos) << english.output;
  EXPECT_NE(russian.output.find(":1: предупреждение: не задание"), std::string::npos)
      << russian.output;
  EXPECT_NE(russian.output.find("«1»"), std::string::npos) << russian.output;
  EXPECT_NE(russian.output.find(": 2 задания (1 одиночный выбор, 1 не задание)"), std::string::npos)
      << russian.output;
  EXPECT_EQ(russian.output.find("warning"), std::string::npos) << russian.output;
  // The process's own language is back once the command is done.
  EXPECT_EQ(platform::Tr("not a task"), "not a task");
}

TEST(Language, TheEnvironmentChoosesAsGettextDoes) {
  TempDir dir;
  const std::string text = dir.Write("t.txt", kMistakes);
  const auto firstFinding = [&] {
    const std::string output = RunWith({"check", "--utf8", text}).output;
    return output.substr(0, output.find('\n'));
  };
  Locale locale;
  const std::string english = firstFinding();
  {
    const ScopedVariable lang("LANG", "ru_RU.UTF-8");
    EXPECT_NE(firstFinding().find("не задание"), std::string::npos);
    const ScopedVariable all("LC_ALL", "C");
    EXPECT_EQ(firstFinding(), english);
  }
  const ScopedVariable messages("LC_MESSAGES", "ru_RU.UTF-8");
  EXPECT_NE(firstFinding().find("не задание"), std::string::npos);
  EXPECT_EQ(RunWith({"check", "--lang", "en", "--utf8", text}).output.substr(0, english.size()),
            english);
}

TEST(Language, JsonKeysAndTheXmlStayTheSame) {
  const Locale locale;
  TempDir dir;
  const std::string text = dir.Write("t.txt", kMistakes);
  const RunResult russian = RunWith({"check", "--lang", "ru", "--format", "json", "--utf8", text});
  EXPECT_NE(russian.output.find("\"severity\": \"warning\""), std::string::npos) << russian.output;
  EXPECT_NE(russian.output.find("\"not_a_task\": 1"), std::string::npos) << russian.output;
  EXPECT_NE(russian.output.find("не задание"), std::string::npos);
  const std::vector<std::string> convert = {"convert", "--utf8", "--date", "2024-01-02T03:04:05",
                                            "-o",      "-",      text};
  std::vector<std::string> convertRussian = convert;
  convertRussian.insert(convertRussian.begin() + 1, {"--lang", "ru"});
  EXPECT_EQ(RunWith(convertRussian).output, RunWith(convert).output);
}

TEST(Language, PageAdviceNamesThePageControls) {
  const Locale locale;
  TempDir dir;
  const std::string text = dir.Write("cp1251.txt", "\xC2\xEE\xEF\xF0\xEE\xF1?\r\n+ \xE4\xE0");
  const RunResult cli = RunWith({"convert", "--lang", "ru", "--encoding", "utf8", text});
  EXPECT_NE(cli.messages.find("--encoding cp1251"), std::string::npos) << cli.messages;
  const RunResult page =
      RunWith({"convert", "--lang", "ru", "--advice", "page", "--encoding", "utf8", text});
  EXPECT_EQ(page.status, 1);
  EXPECT_EQ(page.messages.find("--encoding"), std::string::npos) << page.messages;
  EXPECT_NE(page.messages.find("«Кодировка»"), std::string::npos) << page.messages;
}

TEST(Language, UnknownLanguageOrAdviceIsAUsageError) {
  const Locale locale;
  for (const auto& args : {std::vector<std::string>{"check", "--lang", "de", "t.txt"},
                           std::vector<std::string>{"check", "--lang"},
                           std::vector<std::string>{"check", "--advice", "gui", "t.txt"}}) {
    const RunResult result = RunWith(args);
    EXPECT_EQ(result.status, 2) << args[2];
    EXPECT_NE(result.messages.find("texttoxml: "), std::string::npos);
  }
}

}  // namespace
}  // namespace texttoxml::cli
