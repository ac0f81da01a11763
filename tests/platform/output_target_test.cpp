#include "platform/output_target.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <filesystem>

#include "test_support.h"

namespace texttoxml::platform {
namespace {

namespace fs = std::filesystem;
using texttoxml::testing::TempDir;

// Every name of an open descriptor of ours is that descriptor, also through
// links of the user's own; a descriptor number alone in an ordinary folder
// is only a file name.
TEST(OutputTarget, NamesOfOurDescriptorsAreTheDescriptors) {
  TempDir dir;
  const std::string log = dir.Write("log", "");
  const int fd = ::open(log.c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  const std::string number = std::to_string(fd);
  fs::create_symlink("/dev/fd/" + number, dir.File("to-fd"));
  for (const std::string& name : {"/dev/fd/" + number, "/proc/self/fd/" + number,
                                  "/proc/thread-self/fd/" + number, dir.File("to-fd")}) {
    EXPECT_EQ(OutputTargetOf(name).descriptor, fd) << name;
  }
  for (const auto& [name, descriptor] :
       {std::pair{"/dev/stdout", 1}, std::pair{"/dev/stderr", 2}}) {
    EXPECT_EQ(OutputTargetOf(name).descriptor, descriptor) << name;
  }
  ::close(fd);
  // Closed by now, still a descriptor's name: writing it must fail, not
  // make a file.
  EXPECT_EQ(OutputTargetOf("/dev/fd/" + number).descriptor, fd);
  const std::string plain = dir.Write(number, "");
  EXPECT_EQ(OutputTargetOf(plain).descriptor, std::nullopt);
  EXPECT_EQ(OutputTargetOf(plain).path, plain);
}

TEST(OutputTarget, LinksAreFollowedToTheFileTheyNameEvenAMissingOne) {
  TempDir dir;
  fs::create_directory(dir.File("sub"));
  fs::create_symlink("sub/missing.xml", dir.File("dangling.xml"));
  fs::create_symlink(dir.File("dangling.xml"), dir.File("chain.xml"));
  fs::create_symlink("../sub/missing.xml", dir.File("sub/up.xml"));
  EXPECT_EQ(OutputTargetOf(dir.File("dangling.xml")).path, dir.File("sub/missing.xml"));
  EXPECT_EQ(OutputTargetOf(dir.File("chain.xml")).path, dir.File("sub/missing.xml"));
  EXPECT_EQ(OutputTargetOf(dir.File("sub/up.xml")).path, dir.File("sub/../sub/missing.xml"));
  EXPECT_EQ(OutputTargetOf(dir.File("new.xml")).path, dir.File("new.xml"));
  EXPECT_FALSE(OutputTargetOf(dir.File("chain.xml")).endlessLinks);

  fs::create_symlink("loop-b", dir.File("loop-a"));
  fs::create_symlink("loop-a", dir.File("loop-b"));
  EXPECT_TRUE(OutputTargetOf(dir.File("loop-a")).endlessLinks);
}

}  // namespace
}  // namespace texttoxml::platform
