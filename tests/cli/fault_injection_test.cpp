// Faults from the file system: a full disk, a full device, folders and
// files without permission, and task files that are not regular files.
// Every one must end in a message, leave the previous output as it was and
// never hang.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <malloc.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run.h"
#include "cli/run_support.h"

namespace texttoxml::cli {
namespace {

namespace fs = std::filesystem;

using Result = RunResult;

Result Convert(std::vector<std::string> args) {
  args.insert(args.begin(), "convert");
  args.insert(args.end(), {"--date", "2020-01-02T03:04:05"});
  return RunWith(args);
}

const std::string kTask = "Question?\r\n+ yes\r\n- no\r\n";

// What the child writes into the pipe end `from` until it closes it, after
// which the child is reaped; `status` receives how it ended.
std::string ReadFromChild(int from, pid_t child, int* status = nullptr) {
  std::string answer;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(from, buffer, sizeof buffer)) > 0)
    answer.append(buffer, static_cast<std::size_t>(n));
  ::close(from);
  int ended = 0;
  ::waitpid(child, &ended, 0);
  if (status != nullptr) *status = ended;
  return answer;
}

// Runs the conversion in a child process under the unprivileged user
// "nobody", so that file permissions apply even when the tests run as root.
// Returns false when privileges cannot be dropped.
bool ConvertAsNobody(const std::vector<std::string>& args, Result& result) {
  if (::geteuid() != 0) {
    result = Convert(args);
    return true;
  }
  const passwd* nobody = ::getpwnam("nobody");
  if (nobody == nullptr) return false;
  int channel[2];
  if (::pipe(channel) != 0) return false;
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    ::close(channel[0]);
    if (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0) ::_exit(99);
    const Result inChild = Convert(args);
    const std::string& text = inChild.messages;
    ssize_t ignored = ::write(channel[1], text.data(), text.size());
    (void)ignored;
    ::_exit(inChild.status);
  }
  ::close(channel[1]);
  int status = 0;
  result.messages = ReadFromChild(channel[0], child, &status);
  if (!WIFEXITED(status) || WEXITSTATUS(status) == 99) return false;
  result.status = WEXITSTATUS(status);
  return true;
}

// A small tmpfs mounted for the test's life; needs root.
class TinyTmpfs {
 public:
  explicit TinyTmpfs(const std::string& folder) : folder_(folder) {
    fs::create_directories(folder_);
    mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~TinyTmpfs() {
    if (mounted_) ::umount(folder_.c_str());
  }
  bool Mounted() const { return mounted_; }

  // Fills every free block with one file.
  void Fill(const std::string& path) const {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string block(4096, 'x');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    const char byte = 'x';
    while (::write(fd, &byte, 1) > 0) {
    }
    ::close(fd);
  }

 private:
  std::string folder_;
  bool mounted_ = false;
};

TEST(FaultInjection, FullDiskKeepsThePreviousTargetAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string input = dir.Write("task.txt", kTask);
  TinyTmpfs disk(dir.File("disk"));
  if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs (not root?)";
  const std::string target = dir.File("disk/out.xml");
  { std::ofstream(target, std::ios::binary) << "previous"; }
  disk.Fill(dir.File("disk/filler"));

  Result r = Convert({input, "-o", target});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, input + " -> " + target + ": Stream write error.\n");
  EXPECT_EQ(ReadFile(target), "previous");
  EXPECT_EQ(FolderEntries(dir.File("disk")), (std::vector<std::string>{"filler", "out.xml"}));
}

TEST(FaultInjection, FullDeviceIsWrittenInPlaceAndStaysADevice) {
  struct stat before {};
  if (::stat("/dev/full", &before) != 0 || !S_ISCHR(before.st_mode)) {
    GTEST_SKIP() << "no /dev/full";
  }
  TempDir dir;
  const std::string input = dir.Write("task.txt", kTask);
  Result r = Convert({input, "-o", "/dev/full"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, input + " -> /dev/full: Stream write error.\n");
  struct stat after {};
  ASSERT_EQ(::stat("/dev/full", &after), 0);
  EXPECT_TRUE(S_ISCHR(after.st_mode));
  EXPECT_EQ(after.st_rdev, before.st_rdev);
  EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST(FaultInjection, FolderWithoutWritePermissionCannotTakeTheOutput) {
  TempDir dir;
  const std::string input = dir.Write("task.txt", kTask);
  const std::string locked = dir.File("locked");
  fs::create_directories(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read |
                              fs::perms::others_exec);
  const std::string target = locked + "/out.xml";
  Result r;
  if (!ConvertAsNobody({input, "-o", target}, r)) GTEST_SKIP() << "cannot drop privileges";
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, input + ": Cannot create file \"" + target + "\". Permission denied.\n");
  EXPECT_TRUE(FolderEntries(locked).empty());
}

TEST(FaultInjection, UnreadablePictureStopsTheConversionBeforeAnyOutput) {
  TempDir dir;
  const std::string input = dir.Write("task.txt", "Which?\r\n+[secret.png]\r\n- none\r\n");
  const std::string picture = dir.Write("secret.png", "\x89PNG\r\n\x1a\n");
  fs::permissions(picture, fs::perms::none);
  // The output folder must be writable for the unprivileged user, so that
  // only the picture can be the cause.
  const std::string outFolder = dir.File("out");
  fs::create_directories(outFolder);
  fs::permissions(outFolder, fs::perms::all);
  const std::string target = outFolder + "/task.xml";
  Result r;
  if (!ConvertAsNobody({input, "-o", target}, r)) GTEST_SKIP() << "cannot drop privileges";
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, input + ":2: picture \"secret.png\": Cannot open file \"" + picture +
                            "\". Permission denied.\n");
  EXPECT_TRUE(FolderEntries(outFolder).empty());
}

TEST(FaultInjection, TaskFileThatIsNotARegularFileIsRefusedAtOnce) {
  TempDir dir;
  const std::string folder = dir.File("folder.txt");
  fs::create_directories(folder);
  Result r = Convert({folder, "-o", dir.File("a.xml")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, folder + ": Cannot open file \"" + folder + "\". Is a directory.\n");

  // A FIFO without a writer would block a plain open() for ever.
  const std::string fifo = dir.File("fifo.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  r = Convert({fifo, "-o", dir.File("b.xml")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, fifo + ": Cannot open file \"" + fifo + "\". Not a regular file.\n");

  // An endless device would fill memory if it were read to its end.
  r = Convert({"/dev/zero", "-o", dir.File("c.xml")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, "/dev/zero: Cannot open file \"/dev/zero\". Not a regular file.\n");
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"fifo.txt", "folder.txt"}));
}

// Address-space limits do not work under AddressSanitizer, which reserves
// terabytes of shadow memory up front.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSpaceCanBeLimited = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSpaceCanBeLimited = false;
#else
constexpr bool kAddressSpaceCanBeLimited = true;
#endif
#else
constexpr bool kAddressSpaceCanBeLimited = true;
#endif

// Runs the command line in a child process whose address space may grow by
// only 64 MiB, and returns what it printed: its messages, then its standard
// output after a NUL byte.
std::string RunWithLittleMemory(const std::vector<std::string>& args) {
  int channel[2];
  if (::pipe(channel) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    std::ifstream statm("/proc/self/statm");
    unsigned long long pages = 0;
    statm >> pages;
    const rlim_t limit = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (64u << 20);
    const rlimit bound{limit, limit};
    if (::setrlimit(RLIMIT_AS, &bound) != 0) ::_exit(99);
    const Result result = RunWith(args);
    const std::string text = result.messages + '\0' + result.output;
    ssize_t ignored = ::write(channel[1], text.data(), text.size());
    (void)ignored;
    ::_exit(0);
  }
  ::close(channel[1]);
  return ReadFromChild(channel[0], child);
}

std::string ConvertWithLittleMemory(const std::vector<std::string>& args) {
  std::vector<std::string> convert{"convert", "--date", "2020-01-02T03:04:05"};
  convert.insert(convert.end(), args.begin(), args.end());
  return RunWithLittleMemory(convert);
}

// Running out of memory names what was being read, never "std::bad_alloc".
TEST(FaultInjection, RunningOutOfMemoryNamesWhatWasRead) {
  if (!kAddressSpaceCanBeLimited) GTEST_SKIP() << "address space limits do not apply";
  TempDir dir;
  // 200 MB files (sparse), each more than the child may allocate.
  fs::resize_file(dir.Write("question.gif", ""), 200u << 20);
  fs::resize_file(dir.Write("huge.txt", ""), 200u << 20);
  // A PNG whose header announces 8000 x 8000 RGB pixels: 192 MB of store.
  const std::string ihdr = std::string("\0\0\x1F\x40\0\0\x1F\x40\x08\x02\0\0\0", 13);
  std::string png("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16);
  png += ihdr + std::string("\x89\x93\x3A\xA3", 4);  // the header's CRC
  dir.Write("announced.png", png);
  dir.Write("question.txt", "Question?\r\n[question.gif]\r\n+ yes\r\n- no\r\n");
  dir.Write("variant.txt", "Question?\r\n+[announced.png]\r\n- no\r\n");

  const std::string question = ConvertWithLittleMemory({dir.File("question.txt")});
  EXPECT_NE(question.find("Not enough memory to read picture \"" + dir.File("question.gif") + "\""),
            std::string::npos)
      << question;
  const std::string variant = ConvertWithLittleMemory({dir.File("variant.txt")});
  EXPECT_NE(variant.find("Not enough memory to read picture \"" + dir.File("announced.png") + "\""),
            std::string::npos)
      << variant;
  const std::string text = ConvertWithLittleMemory({dir.File("huge.txt")});
  EXPECT_NE(text.find("Not enough memory to read text file \"" + dir.File("huge.txt") + "\""),
            std::string::npos)
      << text;
  for (const std::string& messages : {question, variant, text}) {
    EXPECT_EQ(messages.find("bad_alloc"), std::string::npos) << messages;
  }
}

// A text that can be read, but not decoded and checked, within the memory
// left: each command says what it was doing, with the text's size, and the
// other inputs are still worked on.
TEST(FaultInjection, RunningOutOfMemoryNamesTheCommandAndItsInput) {
  if (!kAddressSpaceCanBeLimited) GTEST_SKIP() << "address space limits do not apply";
  TempDir dir;
  const std::string task = "Question?\r\n+ yes\r\n- no\r\n\r\n";
  std::string text;
  while (text.size() < 24'000'000) text += task;
  text.resize(24'000'000);  // its UTF-16 text takes 48 MB more
  const std::string large = dir.Write("large.txt", text);
  const std::string small = dir.Write("small.txt", task);
  const std::string size = " (24.0 MB)";
  const std::string checked = RunWithLittleMemory({"check", large, small});
  EXPECT_EQ(checked.substr(0, checked.find('\0')),
            large + ": Not enough memory to check \"" + large + "\"" + size + "\n");
  EXPECT_NE(checked.find(small + ": 1 task"), std::string::npos) << checked;

  const std::string json = RunWithLittleMemory({"check", "--format", "json", large});
  EXPECT_NE(
      json.find("\"error\": \"Not enough memory to check \\\"" + large + "\\\"" + size + "\"}"),
      std::string::npos)
      << json;

  const std::string previewed = RunWithLittleMemory({"preview", large, "-o", "-"});
  EXPECT_EQ(previewed, large + ": Not enough memory to preview \"" + large + "\"" + size + "\n" +
                           std::string(1, '\0'));

  const std::string converted = ConvertWithLittleMemory({large, small});
  EXPECT_EQ(converted, large + ": Not enough memory to convert \"" + large + "\"" + size + "\n" +
                           std::string(1, '\0'));
  EXPECT_TRUE(fs::exists(dir.File("small.xml")));
  EXPECT_FALSE(fs::exists(dir.File("large.xml")));
}

// A figure of /proc/self/status ("VmRSS", "VmHWM"), in KiB.
long StatusKib(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with(field + ":")) return std::stol(line.substr(field.size() + 1));
  }
  return -1;
}

// How far the command line raised the memory it held, in KiB, run in a
// child process of its own: the peak over what the child already held
// from this process, which earlier tests may have grown.
long PeakGrowthKibOf(const std::vector<std::string>& args) {
  int channel[2];
  if (::pipe(channel) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    // Large blocks are mapped on their own, as in a fresh process: freeing
    // large blocks in earlier tests raised the C library's threshold, and
    // blocks below it would be taken from the heap, which keeps its holes.
    ::mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    const long before = StatusKib("VmRSS");
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts from here
    RunWith(args);
    const std::string growth = std::to_string(StatusKib("VmHWM") - before);
    ssize_t ignored = ::write(channel[1], growth.data(), growth.size());
    (void)ignored;
    ::_exit(0);
  }
  ::close(channel[1]);
  const std::string growth = ReadFromChild(channel[0], child);
  return growth.empty() ? -1 : std::stol(growth);
}

// The preview keeps within three times the text plus 30 MB: it holds the
// tasks, but neither the whole page (as large as the text) nor a second
// copy of every block. A text of long questions (20 MB) took 136 MB.
TEST(FaultInjection, ThePreviewKeepsWithinThreeTimesTheText) {
  if (!kAddressSpaceCanBeLimited) GTEST_SKIP() << "sanitizers hold memory of their own";
  TempDir dir;
  const std::string path = dir.File("long.txt");
  {
    std::ofstream text(path, std::ios::binary);
    std::string words;
    for (int i = 0; i < 100'000; ++i) words += "word ";
    for (int i = 0; i < 40; ++i) text << "Question " << i << ' ' << words << "?\n+ yes\n- no\n\n";
  }
  const long limitKib = static_cast<long>(3 * fs::file_size(path) + (30u << 20)) / 1024;
  const long growth = PeakGrowthKibOf({"preview", path, "-o", dir.File("long.html")});
  EXPECT_GT(growth, 0);
  EXPECT_LT(growth, limitKib);
  EXPECT_GT(fs::file_size(dir.File("long.html")), fs::file_size(path));  // the page was written
}

// A text of `lines` lines made by `line` from each line's number, in UTF-8
// with LF line breaks.
template <class Line>
std::string WriteLines(const std::string& path, int lines, Line line) {
  std::ofstream text(path, std::ios::binary);
  for (int i = 0; i < lines; ++i) text << line(i) << '\n';
  return path;
}

// Each command a user runs keeps within three times the text plus 30 MB.
void ExpectEveryCommandWithinThreeTimes(const TempDir& dir, const std::string& text) {
  const long limitKib = static_cast<long>(3 * fs::file_size(text) + (30u << 20)) / 1024;
  const std::vector<std::vector<std::string>> commands = {
      {"convert", text, "-o", dir.File("out.xml")},
      {"convert", "--quiet", text, "-o", dir.File("out.xml")},
      {"check", text},
      {"preview", text, "-o", dir.File("out.html")}};
  for (const std::vector<std::string>& command : commands) {
    const long growth = PeakGrowthKibOf(command);
    EXPECT_GT(growth, 0) << command[0];
    EXPECT_LT(growth, limitKib) << command[0] << ' ' << command[1];
  }
  EXPECT_GT(fs::file_size(dir.File("out.xml")), 0u);  // the work was done
  EXPECT_GT(fs::file_size(dir.File("out.html")), fs::file_size(text));
}

// The texts are Russian, as teachers write them: two bytes a letter in
// UTF-8 as in UTF-16.
//
// One task of many answers holds each as a view of its line: a task of
// 300,000 answers (6 MB) took 86 MB to convert and 131 MB to preview: items
// of 144 bytes with a copy of their text, the block's lines cut twice, a
// file line for each line.
TEST(FaultInjection, ATaskOfManyAnswersKeepsWithinThreeTimesTheText) {
  if (!kAddressSpaceCanBeLimited) GTEST_SKIP() << "sanitizers hold memory of their own";
  TempDir dir;
  const std::string text = WriteLines(dir.File("answers.txt"), 300'000, [](int i) {
    return i == 0 ? std::string("Вопрос?") : "- ответ " + std::to_string(i);
  });
  ExpectEveryCommandWithinThreeTimes(dir, text);
}

// The question of one task of many lines is joined once and written from
// there, neither converted whole for the document nor as HTML for the page:
// 600,000 lines (22 MB) took 109 MB to convert.
TEST(FaultInjection, ATaskOfALongQuestionKeepsWithinThreeTimesTheText) {
  if (!kAddressSpaceCanBeLimited) GTEST_SKIP() << "sanitizers hold memory of their own";
  TempDir dir;
  const std::string text = WriteLines(dir.File("question.txt"), 600'001, [](int i) {
    return i == 600'000 ? std::string("+ да") : "строка вопроса " + std::to_string(i);
  });
  ExpectEveryCommandWithinThreeTimes(dir, text);
}

// The preview holds no task once its part of the page is written: 100,000
// tasks (4 MB) took 69 MB, every parsed task kept for the summary at the top.
TEST(FaultInjection, APreviewOfManyTasksKeepsWithinThreeTimesTheText) {
  if (!kAddressSpaceCanBeLimited) GTEST_SKIP() << "sanitizers hold memory of their own";
  TempDir dir;
  const std::string text = WriteLines(dir.File("tasks.txt"), 400'000, [](int i) {
    const std::string number = std::to_string(i / 4);
    const std::string lines[] = {"Задание " + number + "?", "+ да " + number, "- нет", ""};
    return lines[i % 4];
  });
  ExpectEveryCommandWithinThreeTimes(dir, text);
}

}  // namespace
}  // namespace texttoxml::cli
