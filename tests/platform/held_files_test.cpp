#include "platform/held_files.h"

#include <gtest/gtest.h>

#include "platform/files.h"

namespace texttoxml::platform {
namespace {

// A document's pictures are read through the calls that read picture files,
// only while the document is being converted, and a second document hides
// the first rather than mixing with it.
TEST(HeldFiles, AreFilesWhileTheyAreHeld) {
  const std::string folder = "/nowhere/test.docx";
  {
    HeldFiles outer(folder, {{"image1.png", {"PNG!", ""}}, {"image2.tmp", {"GIF", "gif"}}});
    EXPECT_EQ(HeldPathOf("image1.png"), folder + "/image1.png");
    EXPECT_TRUE(IsRegularFile(folder + "/image1.png"));
    EXPECT_EQ(ReadWholeFile(folder + "/image1.png"), "PNG!");
    EXPECT_EQ(FileSize(folder + "/image2.tmp"), 3u);
    EXPECT_EQ(HeldFile(folder + "/image2.tmp")->kind, "gif");
    EXPECT_FALSE(IsRegularFile(folder + "/image3.png"));
    EXPECT_FALSE(HeldPathOf("image1"));
    {
      HeldFiles inner("/other.docx", {{"image9.png", {"x", ""}}});
      EXPECT_FALSE(HeldPathOf("image1.png"));
      EXPECT_EQ(HeldPathOf("image9.png"), "/other.docx/image9.png");
    }
    EXPECT_EQ(ReadWholeFile(HeldPathOf("image1.png").value()), "PNG!");
  }
  EXPECT_FALSE(HeldPathOf("image1.png"));
  EXPECT_FALSE(IsRegularFile(folder + "/image1.png"));
  EXPECT_THROW(ReadWholeFile(folder + "/image1.png"), FOpenError);
}

}  // namespace
}  // namespace texttoxml::platform
