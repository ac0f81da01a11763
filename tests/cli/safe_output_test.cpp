// Files that a conversion must never lose: its input, the pictures it
// embeds, an output that another input would also write, the owner and
// permissions of a replaced output, and the disk space a signal would leave
// taken by a temporary file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/run.h"
#include "cli/run_support.h"
#include "platform/files.h"
#include "platform/interrupt_cleanup.h"

namespace texttoxml::cli {
namespace {

namespace fs = std::filesystem;

const std::string kTask = "Question?\r\n+ yes\r\n- no\r\n";

TEST(SafeOutput, NeverWritesOverTheInputOrItsPicturesByAnyPath) {
  TempDir dir;
  const std::string input = dir.Write("tasks.txt", kTask);
  fs::create_symlink(input, dir.File("link.txt"));
  const std::string refused = input + ": The output file would replace the input file.\n";
  for (const std::string& output : {input, "/proc/self/root" + input, dir.File("link.txt")}) {
    RunResult r = RunWith({"convert", dir.File("link.txt"), "-o", output});
    EXPECT_EQ(r.status, 1) << output;
    EXPECT_EQ(r.messages,
              dir.File("link.txt") + ": The output file would replace the input file.\n");
    r = RunWith({"preview", input, "-o", output});
    EXPECT_EQ(r.status, 1) << output;
    EXPECT_EQ(r.messages, refused);
  }
  fs::create_hard_link(input, dir.File("hard.xml"));
  RunResult hard = RunWith({"convert", input, "-o", dir.File("hard.xml")});
  EXPECT_EQ(hard.messages, refused);
  EXPECT_EQ(ReadFile(input), kTask);

  // A question picture is embedded byte for byte; writing over it would
  // lose the teacher's picture.
  const std::string withPicture =
      dir.Write("pictured.txt", "Which?\r\n[photo.jpg]\r\n+ this\r\n- that");
  const std::string photo = dir.Write("photo.jpg", "\xFF\xD8\xFF not really a JPEG");
  fs::create_symlink(photo, dir.File("photo-link.xml"));
  for (const std::string& output : {photo, dir.File("photo-link.xml")}) {
    RunResult r = RunWith({"convert", withPicture, "-o", output});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.messages, withPicture + ": The output file would replace the picture \"" + photo +
                              "\", which the text embeds.\n");
  }
  EXPECT_EQ(ReadFile(photo), "\xFF\xD8\xFF not really a JPEG");
  EXPECT_EQ(RunWith({"convert", withPicture}).status, 0);
  EXPECT_TRUE(fs::exists(dir.File("pictured.xml")));
}

// The page embeds the pictures it shows as they are; writing it over one
// would lose the teacher's file just as a conversion would.
TEST(SafeOutput, PreviewNeverWritesOverThePicturesItShows) {
  TempDir dir;
  const std::string photo = dir.Write("photo.jpg", "not really a JPEG");
  const std::string formula = dir.Write("formula.png", "not really a PNG");
  const std::string input =
      dir.Write("tasks.txt", "Which?\r\n[photo.jpg]\r\n+ [formula.png]\r\n- that");
  for (const std::string& picture : {photo, formula}) {
    RunResult r = RunWith({"preview", input, "-o", picture});
    EXPECT_EQ(r.status, 1) << picture;
    EXPECT_EQ(r.messages, input + ": The output file would replace the picture \"" + picture +
                              "\", which the text embeds.\n");
  }
  EXPECT_EQ(ReadFile(photo), "not really a JPEG");
  EXPECT_EQ(ReadFile(formula), "not really a PNG");

  // -O names the page after the input, which may be a picture's name too.
  const std::string page = dir.Write("page.html", "a picture, whatever its name");
  const std::string named = dir.Write("page.txt", "Which?\r\n[page.html]\r\n+ this");
  RunResult r = RunWith({"preview", named, "-O", dir.Path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, named + ": The output file would replace the picture \"" + page +
                            "\", which the text embeds.\n");
  EXPECT_EQ(ReadFile(page), "a picture, whatever its name");

  EXPECT_EQ(RunWith({"preview", input, "-O", dir.Path()}).status, 0);
  EXPECT_TRUE(fs::exists(dir.File("tasks.html")));
}

TEST(SafeOutput, TwoInputsForOneOutputStopBeforeAnythingIsWritten) {
  TempDir dir;
  const std::string a = dir.Write("a.txt", kTask);
  const std::string b = dir.Write("a.text", kTask);
  const std::string other = dir.Write("other.txt", kTask);
  RunResult r = RunWith({"convert", other, a, b});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, "texttoxml: " + a + " and " + b + " would both be written to " +
                            dir.File("a.xml") + "; nothing was written.\n");
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"a.text", "a.txt", "other.txt"}));

  // The same new file through a linked folder, and one existing file
  // through a hard link.
  fs::create_directory_symlink(dir.Path(), dir.File("linked"));
  r = RunWith({"convert", a, dir.File("linked/a.txt")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.messages.find("would both be written to"), std::string::npos);
  dir.Write("one.xml", "previous");
  fs::create_hard_link(dir.File("one.xml"), dir.File("two.xml"));
  dir.Write("one.txt", kTask);
  dir.Write("two.txt", kTask);
  r = RunWith({"convert", dir.File("one.txt"), dir.File("two.txt")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(ReadFile(dir.File("one.xml")), "previous");

  EXPECT_EQ(RunWith({"convert", a, other}).status, 0);
}

// `{ echo head; texttoxml convert t.txt -o /dev/stdout; echo foot; } >
// report` keeps head and foot: a name of an open descriptor is that
// descriptor, written where it stands, never the file it shows replaced.
TEST(SafeOutput, ADescriptorNameWritesToTheOpenDescriptor) {
  TempDir dir;
  const std::string input = dir.Write("tasks.txt", kTask);
  const std::string report = dir.Write("report", "");
  const int fd = ::open(report.c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, "head\n", 5), 5);
  const std::string name = "/proc/self/fd/" + std::to_string(fd);
  const RunResult converted =
      RunWith({"convert", input, "-o", name, "--date", "2020-01-02T03:04:05"});
  const RunResult failed = RunWith({"convert", dir.Write("blank.txt", " "), "-o", name});
  ASSERT_EQ(::write(fd, "foot\n", 5), 5);
  ::close(fd);
  EXPECT_EQ(converted.status, 0) << converted.messages;
  EXPECT_EQ(failed.status, 1);
  const RunResult expected =
      RunWith({"convert", input, "-o", "-", "--date", "2020-01-02T03:04:05"});
  EXPECT_EQ(ReadFile(report), "head\n" + expected.output + "foot\n");
}

// A caller whose standard output keeps what it is given until it decides
// (the page) gets the document straight, not held a second time: even
// with no room for a temporary file, a large document comes through whole.
TEST(SafeOutput, StandardOutputThatKeepsIsWrittenStraight) {
  class KeepingOutput : public platform::StringOutputStream {
   public:
    using StringOutputStream::StringOutputStream;
    bool KeepsUntilDecided() const override { return true; }
  };
  TempDir dir;
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "Question " + std::to_string(i) + "?\r\n+ yes\r\n\r\n";
  const std::string input = dir.Write("tasks.txt", text);
  const std::vector<std::string> args = {"convert", input,    "-o",
                                         "-",       "--date", "2020-01-02T03:04:05"};
  const RunResult expected = RunWith(args);
  ASSERT_EQ(expected.status, 0);
  ASSERT_GT(expected.output.size(), 1u << 18);  // past what is held in memory
  texttoxml::testing::TemporaryFolderSetting noRoom(dir.File("missing"));
  std::string kept;
  KeepingOutput keeping(kept);
  std::ostringstream messages;
  EXPECT_EQ(cli::Run(args, keeping, messages), 0) << messages.str();
  EXPECT_EQ(kept, expected.output);
  EXPECT_NE(RunWith(args).status, 0) << "held in a temporary file otherwise";
}

// Standard output that is full or closed.
class RefusingOutput : public platform::OutputStream {
 public:
  std::size_t Write(const char*, std::size_t) override { return 0; }
};

TEST(SafeOutput, EveryCommandReportsAFailedStandardOutputOnce) {
  TempDir dir;
  const std::string input = dir.Write("tasks.txt", kTask);
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--help"},
                                             {"--version"},
                                             {"check", input},
                                             {"check", "--format", "json", input},
                                             {"convert", input, "-o", "-"},
                                             {"preview", input, "-o", "-"}}) {
    RefusingOutput out;
    std::ostringstream messages;
    EXPECT_EQ(cli::Run(args, out, messages), 1) << args[0];
    EXPECT_EQ(messages.str(), "texttoxml: Stream write error.\n") << args[0];
  }
}

TEST(SafeOutput, ReplacedOutputKeepsItsPermissionsAndOwner) {
  TempDir dir;
  const std::string input = dir.Write("tasks.txt", kTask);
  const std::string output = dir.Write("tasks.xml", "previous");
  ASSERT_EQ(::chmod(output.c_str(), 0604), 0);
  const passwd* nobody = ::geteuid() == 0 ? ::getpwnam("nobody") : nullptr;
  if (nobody != nullptr) {
    ASSERT_EQ(::chown(output.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  }

  ASSERT_EQ(RunWith({"convert", input}).status, 0);
  struct stat st {};
  ASSERT_EQ(::stat(output.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0604u);
  if (nobody != nullptr) {
    EXPECT_EQ(st.st_uid, nobody->pw_uid);
    EXPECT_EQ(st.st_gid, nobody->pw_gid);
  }
  EXPECT_NE(ReadFile(output), "previous");
}

// A child starts saving over an existing output, tells the parent through a
// pipe, and waits to be interrupted; an alarm ends a child that no signal
// reaches. `ignored`, when not 0, is a signal its caller ignores, as nohup
// ignores SIGHUP.
pid_t ChildInterruptedWhileSaving(const std::string& target, int ignored = 0) {
  int channel[2];
  if (::pipe(channel) != 0) return -1;
  const pid_t child = ::fork();
  if (child != 0) {
    ::close(channel[1]);
    char ready = 0;
    const bool started = ::read(channel[0], &ready, 1) == 1;
    ::close(channel[0]);
    if (child > 0 && !started) ::waitpid(child, nullptr, 0);
    return started ? child : -1;
  }
  ::close(channel[0]);
  try {
    if (ignored != 0) ::signal(ignored, SIG_IGN);
    platform::RemoveTemporaryFileOnInterrupt();
    platform::FileOutputStream file(target);
    const std::string block(1 << 20, 'x');
    for (int i = 0; i < 8; ++i) platform::WriteAll(file, block.data(), block.size());
    ::alarm(120);
    if (::write(channel[1], "r", 1) != 1) ::_exit(98);
    for (;;) ::pause();
  } catch (...) {
    ::_exit(97);  // the parent sees the pipe close without a byte
  }
}

TEST(SafeOutput, InterruptedSaveLeavesNoTemporaryFileAndTheOldOutput) {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    TempDir dir;
    const std::string target = dir.Write("out.xml", "previous");
    const pid_t child = ChildInterruptedWhileSaving(target);
    ASSERT_GT(child, 0) << "the child did not start saving";
    EXPECT_EQ(FolderEntries(dir.Path()).size(), 2u);  // the temporary file is there
    ASSERT_EQ(::kill(child, signal), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), signal);
    EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"out.xml"}));
    EXPECT_EQ(ReadFile(target), "previous");
  }
}

// Under nohup a hang-up is ignored, and stays so: the save goes on, and the
// next signal still ends it without leaving the temporary file. (Pending
// signals arrive lowest first, so a hang-up that was handled would end the
// child before the SIGTERM.)
TEST(SafeOutput, AnIgnoredHangUpStaysIgnored) {
  TempDir dir;
  const std::string target = dir.Write("out.xml", "previous");
  const pid_t child = ChildInterruptedWhileSaving(target, SIGHUP);
  ASSERT_GT(child, 0) << "the child did not start saving";
  ASSERT_EQ(::kill(child, SIGHUP), 0);
  ASSERT_EQ(::kill(child, SIGTERM), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"out.xml"}));
  EXPECT_EQ(ReadFile(target), "previous");
}

}  // namespace
}  // namespace texttoxml::cli
