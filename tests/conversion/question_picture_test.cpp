// A question picture above the size limit is refused, by name and with the
// limit, before a byte of it is read: by the conversion, `check` and
// `preview` alike. So is a file of the running system.
#include "conversion/question_picture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "check/diagnostics.h"
#include "conversion/conversion_errors.h"
#include "conversion/task_text.h"
#include "conversion/test_document.h"
#include "error.h"
#include "pictures/picture_errors.h"
#include "platform/files.h"
#include "platform/utf.h"
#include "preview/page.h"
#include "test_support.h"

namespace texttoxml::conversion {
namespace {

using check::Diagnose;
using check::Diagnosis;
using check::Finding;
using preview::PreviewPage;
using texttoxml::testing::TempDir;

const std::u16string kTask = u"Which?\r\n[huge.gif]\r\n+ yes\r\n- no\r\n";

TEST(QuestionPicture, AFileAboveTheLimitIsRefusedByNameAndLimit) {
  TempDir dir;
  // Sparse: it takes no room on disk, and reading it would take 256 MiB.
  const std::string path = dir.Write("huge.gif", "");
  std::filesystem::resize_file(path, kMaxQuestionPictureBytes + 1);
  const std::string expected = "Question picture \"" + platform::FullPath(path) +
                               "\" is too large (268435457 bytes). The limit is 268435456 "
                               "bytes (256 MiB).";
  EXPECT_NO_THROW(CheckQuestionPictureSize(path, kMaxQuestionPictureBytes));

  TestDocumentBuilder builder;
  EXPECT_THROW_MSG(
      builder.Build(PrepareTaskText(kTask).blocks, {dir.Path(), ""}, {2024, 1, 1, 0, 0, 0, 0}),
      QuestionPictureTooLargeError, expected);
  ASSERT_TRUE(builder.FailedPicture());
  EXPECT_EQ(builder.FailedPicture()->path, path);

  for (bool readPictures : {true, false}) {
    const Diagnosis diagnosis = Diagnose(kTask, dir.Path(), {readPictures});
    const auto warned = std::find_if(diagnosis.findings.begin(), diagnosis.findings.end(),
                                     [&](const Finding& finding) {
                                       return finding.message.find(expected) != std::string::npos;
                                     });
    EXPECT_NE(warned, diagnosis.findings.end()) << readPictures;
  }
  const std::string page = PreviewPage(Diagnose(kTask, dir.Path()), u"huge");
  EXPECT_NE(page.find("is too large (268435457 bytes). The limit is 268435456 bytes"),
            std::string::npos);
}

// A link in a task folder may lead to what the system keeps under /proc,
// /sys or /dev: the environment, keys, memory. Such a file tells a size of
// 0 while it holds bytes; it is refused, never embedded, whichever road
// the picture takes.
TEST(QuestionPicture, AFileOfTheSystemIsNeverEmbedded) {
  TempDir dir;
  std::filesystem::create_symlink("/proc/self/environ", dir.File("env.gif"));
  std::filesystem::create_symlink("/proc/self/status", dir.File("status.png"));
  const std::string refused =
      "\" belongs to the system (under /proc, /sys or /dev); it is never "
      "embedded.";
  EXPECT_THROW_MSG(ReadQuestionPicture(dir.File("env.gif")), SystemPictureError,
                   "Picture file \"" + platform::ResolvedPath(dir.File("env.gif")) + refused);
  const platform::DateTime date{2024, 1, 1, 0, 0, 0, 0};
  for (const std::u16string task :
       {u"Which?\r\n[env.gif]\r\n+ yes\r\n- no\r\n", u"Which?\r\n+[status.png]\r\n- no\r\n"}) {
    TestDocumentBuilder builder;
    EXPECT_THROW(builder.Build(PrepareTaskText(task).blocks, {dir.Path(), ""}, date),
                 SystemPictureError);
    ASSERT_TRUE(builder.FailedPicture());
  }
}

}  // namespace
}  // namespace texttoxml::conversion
