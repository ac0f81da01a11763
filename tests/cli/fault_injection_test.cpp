// Faults from the file system: a full disk, a full device, folders and
// files without permission, and task files that are not regular files.
// Every one must end in a message, leave the previous output as it was and
// never hang.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/mount.h>
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
  result.messages.clear();
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(channel[0], buffer, sizeof buffer)) > 0) result.messages.append(buffer, n);
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
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
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec |
                              fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
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

}  // namespace
}  // namespace texttoxml::cli
