#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <filesystem>

#include "platform/platform_errors.h"
#include "test_support.h"

namespace texttoxml::platform {
namespace {

using texttoxml::testing::OpenFilesIn;
using texttoxml::testing::ReadFile;
using texttoxml::testing::TempDir;
using texttoxml::testing::TemporaryFolderSetting;

std::size_t EntriesIn(const std::string& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(IsRegularFile, CountsOnlyRegularFiles) {
  TempDir dir;
  std::string file = dir.Write("a.txt", "x");
  std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_TRUE(IsRegularFile(file));
  EXPECT_FALSE(IsRegularFile(dir.Path()));
  EXPECT_FALSE(IsRegularFile(fifo));
  EXPECT_FALSE(IsRegularFile("/dev/zero"));
  EXPECT_FALSE(IsRegularFile(dir.File("missing")));
  EXPECT_FALSE(IsRegularFile(""));
}

// Decided by where links lead, not by the name: "/procedure" is no system
// folder, and a link into /proc is a system file.
TEST(IsSystemFile, FollowsLinksIntoProcSysAndDev) {
  TempDir dir;
  const std::string file = dir.Write("a.png", "x");
  std::filesystem::create_symlink("/proc/self/environ", dir.File("env.png"));
  std::filesystem::create_symlink("/dev/shm", dir.File("shm"));
  std::filesystem::create_symlink(file, dir.File("plain.png"));
  EXPECT_TRUE(IsSystemFile(dir.File("env.png")));
  EXPECT_TRUE(IsSystemFile(dir.File("shm")));
  EXPECT_TRUE(IsSystemFile("/sys/kernel"));
  EXPECT_FALSE(IsSystemFile(file));
  EXPECT_FALSE(IsSystemFile(dir.File("plain.png")));
  EXPECT_FALSE(IsSystemFile(dir.File("missing.png")));
  EXPECT_EQ(ResolvedPath(dir.File("plain.png")), std::filesystem::canonical(file).string());
  EXPECT_EQ(ResolvedPath(dir.File("missing.png")), "");
}

TEST(ReadWholeFile, ReadsEveryByte) {
  TempDir dir;
  std::string bytes(200000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  const std::string read = ReadWholeFile(dir.Write("big.bin", bytes));
  EXPECT_EQ(read, bytes);
  // Room for one byte more, to find the end; not twice the file.
  EXPECT_LE(read.capacity(), bytes.size() + 16);
  EXPECT_EQ(ReadWholeFile(dir.Write("empty.bin", "")), "");
}

TEST(ReadWholeFile, RefusesWhatCannotBeReadWithTheFullPath) {
  TempDir dir;
  std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string path;
    std::string message;
  };
  const Case cases[] = {
      {dir.File("missing.txt"),
       "Cannot open file \"" + dir.File("missing.txt") + "\". No such file or directory"},
      {dir.Path(), "Cannot open file \"" + dir.Path() + "\". Is a directory"},
      {fifo, "Cannot open file \"" + fifo + "\". Not a regular file"},  // no hang
      {"/dev/zero", "Cannot open file \"/dev/zero\". Not a regular file"},
  };
  for (const Case& c : cases) {
    EXPECT_THROW_MSG(ReadWholeFile(c.path), FOpenError, c.message);
  }
}

// A file that grows while it is read (a sparse one stands for it) is read
// only as far as asked.
TEST(ReadWholeFile, ReadsNoMoreThanAsked) {
  TempDir dir;
  const std::string path = dir.Write("growing.bin", "start");
  std::filesystem::resize_file(path, 1ull << 30);
  const std::string start = ReadWholeFile(path, 70000);
  EXPECT_EQ(start.size(), 70000u);
  EXPECT_EQ(start.substr(0, 5), "start");
  EXPECT_EQ(ReadWholeFile(dir.Write("small.bin", "abc"), 70000), "abc");
}

TEST(FullPath, MakesRelativePathsAbsolute) {
  EXPECT_EQ(FullPath("/a/b/../c.txt"), "/a/c.txt");
  std::string relative = FullPath("x.txt");
  EXPECT_EQ(relative, (std::filesystem::current_path() / "x.txt").string());
}

TEST(FileOutputStream, ReplacesTheTargetOnlyOnCommit) {
  TempDir dir;
  std::string target = dir.Write("out.xml", "old content");
  {
    FileOutputStream out(target);
    WriteAll(out, "new", 3);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);  // nothing handed over yet: no file made
    const std::string rest(1 << 20, 'x');
    WriteAll(out, rest.data(), rest.size());
    EXPECT_EQ(ReadFile(target), "old content");  // not yet replaced
    EXPECT_EQ(EntriesIn(dir.Path()), 2u);        // target and temporary file
    out.Commit();
  }
  EXPECT_EQ(ReadFile(target), "new" + std::string(1 << 20, 'x'));
  EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(FileOutputStream, AbandonedWriteLeavesTargetAndNoTemporary) {
  TempDir dir;
  std::string target = dir.Write("out.xml", "precious");
  {
    FileOutputStream out(target);
    WriteAll(out, "partial", 7);
  }  // no Commit: a failure somewhere before the end
  EXPECT_EQ(ReadFile(target), "precious");
  EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(FileOutputStream, KeepsTheModeOfAReplacedFileAndFollowsLinks) {
  TempDir dir;
  std::string target = dir.Write("out.xml", "old");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  std::string link = dir.File("link.xml");
  std::filesystem::create_symlink(target, link);
  FileOutputStream out(link);
  WriteAll(out, "new", 3);
  out.Commit();
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFile(target), "new");
  struct stat st;
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(FileOutputStream, WritesDevicesDirectly) {
  FileOutputStream out("/dev/null");
  WriteAll(out, "discarded", 9);
  out.Commit();
  struct stat st;
  ASSERT_EQ(::stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST(FileOutputStream, FullDeviceGivesStreamWriteError) {
  {
    FileOutputStream out("/dev/full");
    WriteAll(out, "x", 1);  // collected, not yet handed to the device
    EXPECT_THROW(out.Commit(), WriteError);
  }
  {
    FileOutputStream out("/dev/full");
    std::string large(1 << 20, 'x');
    WriteAll(out, large.data(), large.size());  // a device gets it all at Commit
    EXPECT_THROW(out.Commit(), WriteError);
  }
  struct stat st;
  ASSERT_EQ(::stat("/dev/full", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

// A reader of a FIFO cannot be told to forget what it was given, so it gets
// nothing of a write that is abandoned, however large, and all of one that
// is committed.
TEST(FileOutputStream, FifoGetsNothingBeforeCommit) {
  TempDir dir;
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  char byte;
  {
    FileOutputStream out(fifo);
    const std::string large(1 << 20, 'x');
    WriteAll(out, large.data(), large.size());
  }
  EXPECT_EQ(::read(reader, &byte, 1), 0) << "the abandoned write reached the reader";
  {
    FileOutputStream out(fifo);
    WriteAll(out, "whole", 5);
    out.Commit();
  }
  char text[8] = {};
  EXPECT_EQ(::read(reader, text, sizeof text), 5);
  EXPECT_STREQ(text, "whole");
  ::close(reader);
}

// `>> log` or `{ echo head; texttoxml ... -o /dev/stdout; } > report`: the
// document goes to the open descriptor, after what is there, and the file
// it shows is neither replaced nor given half a document.
TEST(FileOutputStream, OurOwnDescriptorIsWrittenWhereItStands) {
  TempDir dir;
  const std::string log = dir.Write("log", "earlier\n");
  const int fd = ::open(log.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  const auto inode = IdentityOf(log);
  const std::string number = std::to_string(fd);
  for (const std::string& name : {"/dev/fd/" + number, "/proc/self/fd/" + number}) {
    {
      FileOutputStream abandoned(name);
      WriteAll(abandoned, "half", 4);
    }
    FileOutputStream out(name);
    WriteAll(out, "whole\n", 6);
    out.Commit();
  }
  ::close(fd);
  EXPECT_EQ(ReadFile(log), "earlier\nwhole\nwhole\n");
  EXPECT_EQ(IdentityOf(log), inode);
  EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

// Root with standard output closed once replaced the system's /dev/stdout
// link this way; a descriptor that is not open is refused.
TEST(FileOutputStream, AClosedDescriptorIsRefused) {
  const int fd = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  ::close(fd);
  const std::string name = "/dev/fd/" + std::to_string(fd);
  FileOutputStream out(name);
  EXPECT_THROW_MSG(WriteAll(out, "x", 1), ClosedDescriptorError,
                   "Cannot write to \"" + name + "\": descriptor " + std::to_string(fd) +
                       " is not open. Name an output file instead");
}

// A link is never replaced by a file: a dangling one makes the file it
// names, and one into a missing folder fails with the link left as it was.
TEST(FileOutputStream, ADanglingLinkIsWrittenThroughNeverReplaced) {
  TempDir dir;
  const std::string link = dir.File("out.xml");
  std::filesystem::create_symlink("made.xml", link);
  FileOutputStream out(link);
  WriteAll(out, "document", 8);
  out.Commit();
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFile(dir.File("made.xml")), "document");

  const std::string lost = dir.File("lost.xml");
  std::filesystem::create_symlink("no/such/folder/x.xml", lost);
  FileOutputStream refused(lost);
  EXPECT_THROW_MSG(
      {
        WriteAll(refused, "x", 1);
        refused.Commit();
      },
      FCreateError, "Cannot create file \"" + lost + "\". No such file or directory");
  EXPECT_TRUE(std::filesystem::is_symlink(lost));

  std::filesystem::create_symlink("loop.xml", dir.File("loop.xml"));
  FileOutputStream looped(dir.File("loop.xml"));
  EXPECT_THROW(WriteAll(looped, "x", 1), FCreateError);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("loop.xml")));
}

// A device is given the document only at Commit; until then it is held in
// $TMPDIR, not in memory.
TEST(FileOutputStream, ADeviceDocumentWaitsOnDisk) {
  TempDir dir;
  TemporaryFolderSetting setting(dir.Path());
  FileOutputStream out("/dev/null");
  const std::string block(4 << 20, 'x');
  WriteAll(out, block.data(), block.size());
  EXPECT_EQ(OpenFilesIn(dir.Path()), 1u);
  out.Commit();
  EXPECT_EQ(OpenFilesIn(dir.Path()), 0u);
  EXPECT_EQ(EntriesIn(dir.Path()), 0u);
}

TEST(FileOutputStream, MissingFolderGivesCannotCreate) {
  TempDir dir;
  std::string target = dir.File("no/such/folder/out.xml");
  FileOutputStream out(target);  // the file is made with the first bytes
  EXPECT_THROW_MSG(
      {
        WriteAll(out, "x", 1);
        out.Commit();
      },
      FCreateError, "Cannot create file \"" + target + "\". No such file or directory");
}

// The window's Dir and the command line's picture folder both come from
// here; a bare name must not become "." (pictures would then be looked for
// in the current folder twice) and a file at the root keeps its "/".
TEST(FolderOf, KeepsTheRootSeparatorOnly) {
  EXPECT_EQ(FolderOf("/home/user/tasks.txt"), "/home/user");
  EXPECT_EQ(FolderOf("/tasks.txt"), "/");
  EXPECT_EQ(FolderOf("tasks.txt"), "");
  EXPECT_EQ(FolderOf("a/b.c/d"), "a/b.c");
}

}  // namespace
}  // namespace texttoxml::platform
