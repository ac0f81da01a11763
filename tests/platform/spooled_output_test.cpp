#include "platform/spooled_output.h"

#include <gtest/gtest.h>
#include <filesystem>

#include "platform/platform_errors.h"
#include "test_support.h"

namespace texttoxml::platform {
namespace {

namespace fs = std::filesystem;
using texttoxml::testing::OpenFilesIn;
using texttoxml::testing::TempDir;
using texttoxml::testing::TemporaryFolderSetting;

class RefusingOutput : public OutputStream {
 public:
  std::size_t Write(const char*, std::size_t) override { return 0; }
};

TEST(SpooledOutput, HandsOnEveryByteInOrderSmallOrLarge) {
  for (std::size_t large : {std::size_t{10}, std::size_t{70000}, std::size_t{3} << 20}) {
    std::string expected;
    SpooledOutput held;
    for (std::size_t size : {std::size_t{1}, large, std::size_t{3}, large / 2}) {
      std::string piece(size, '\0');
      for (std::size_t i = 0; i < size; ++i) piece[i] = static_cast<char>(expected.size() + i);
      WriteAll(held, piece.data(), piece.size());
      expected += piece;
    }
    std::string handed;
    StringOutputStream out(handed);
    held.HandTo(out);
    EXPECT_EQ(handed, expected) << large;
  }
}

// A large document is held in a file without a name in $TMPDIR: memory
// stays bounded and nothing is left behind.
TEST(SpooledOutput, HoldsALargeDocumentOnDiskUnnamed) {
  TempDir dir;
  TemporaryFolderSetting setting(dir.Path());
  {
    SpooledOutput held;
    const std::string block(1 << 20, 'x');
    WriteAll(held, block.data(), block.size());
    EXPECT_EQ(OpenFilesIn(dir.Path()), 1u);
    EXPECT_TRUE(fs::is_empty(dir.Path()));
    RefusingOutput refusing;
    EXPECT_THROW(held.HandTo(refusing), WriteError);
  }
  EXPECT_EQ(OpenFilesIn(dir.Path()), 0u);
}

TEST(SpooledOutput, NoPlaceToHoldTheDocumentSaysWhereAndWhatToDo) {
  TempDir dir;
  const std::string missing = dir.File("missing");
  TemporaryFolderSetting setting(missing);
  SpooledOutput held;
  WriteAll(held, "small", 5);  // a small document needs no file
  const std::string block(1 << 20, 'x');
  EXPECT_THROW_MSG(WriteAll(held, block.data(), block.size()), TemporaryFileError,
                   "Cannot create a temporary file in \"" + missing +
                       "\". No such file or directory. Set TMPDIR to a folder with room to "
                       "hold the output");
}

}  // namespace
}  // namespace texttoxml::platform
