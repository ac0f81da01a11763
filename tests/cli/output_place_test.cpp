// Two outputs are one file when their folders are one and their names are
// equal as that folder compares names.
#include "cli/output_place.h"

#include <sys/mount.h>

#include <gtest/gtest.h>
#include <filesystem>

#include "cli/run_support.h"

namespace texttoxml::cli {
namespace {

namespace fs = std::filesystem;

const std::string kTask = "Question?\r\n+ yes\r\n- no\r\n";

TEST(OutputPlace, NamesCompareAsTheirFolderComparesThem) {
  const platform::FileIdentity folder{1, 2};
  const platform::FileIdentity other{1, 3};
  EXPECT_EQ(PlaceInFolder(folder, "/a", "Tasks.XML", true),
            PlaceInFolder(folder, "/b", "tasks.xml", true));
  EXPECT_NE(PlaceInFolder(folder, "/a", "Tasks.XML", false),
            PlaceInFolder(folder, "/a", "tasks.xml", false));
  EXPECT_NE(PlaceInFolder(folder, "/a", "tasks.xml", true),
            PlaceInFolder(other, "/a", "tasks.xml", true));
  // Folders not there yet have only their paths to compare.
  EXPECT_EQ(PlaceInFolder(std::nullopt, "/new", "t.xml", false),
            PlaceInFolder(std::nullopt, "/new", "t.xml", false));
  EXPECT_NE(PlaceInFolder(std::nullopt, "/new", "t.xml", false),
            PlaceInFolder(std::nullopt, "/other", "t.xml", false));
}

TEST(OutputPlace, OneFolderByAnyPathIsOneFolder) {
  TempDir dir;
  fs::create_directory(dir.File("sub"));
  fs::create_directory_symlink(dir.File("sub"), dir.File("linked"));
  fs::create_symlink("sub/made.xml", dir.File("link.xml"));
  const OutputPlace place = PlaceOfOutput(dir.File("sub/t.xml"));
  EXPECT_EQ(PlaceOfOutput(dir.File("linked/t.xml")), place);
  EXPECT_EQ(PlaceOfOutput(dir.File("linked/../sub/t.xml")), place);
  EXPECT_EQ(PlaceOfOutput("/proc/self/root" + dir.File("sub/t.xml")), place);
  EXPECT_NE(PlaceOfOutput(dir.File("sub/u.xml")), place);
  EXPECT_EQ(PlaceOfOutput(dir.File("link.xml")), PlaceOfOutput(dir.File("sub/made.xml")));
}

// A folder mounted a second time elsewhere has a path of its own that no
// link resolves; only its identity tells it is one folder. Needs root.
TEST(OutputPlace, ABindMountIsSeenThrough) {
  TempDir dir;
  fs::create_directory(dir.File("real"));
  fs::create_directory(dir.File("bound"));
  if (::mount(dir.File("real").c_str(), dir.File("bound").c_str(), nullptr, MS_BIND, nullptr) !=
      0) {
    GTEST_SKIP() << "cannot bind-mount (not root?)";
  }
  const std::string first = dir.Write("real/a.txt", kTask);
  dir.Write("real/a.text", kTask);
  const RunResult r = RunWith({"convert", first, dir.File("bound/a.text")});
  ::umount(dir.File("bound").c_str());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.messages, "texttoxml: " + first + " and " + dir.File("bound/a.text") +
                            " would both be written to " + dir.File("bound/a.xml") +
                            "; nothing was written.\n");
  EXPECT_FALSE(fs::exists(dir.File("real/a.xml")));
}

}  // namespace
}  // namespace texttoxml::cli
