// A question picture above the size limit is refused, by name and with the
// limit, before a byte of it is read: by the conversion, `check` and
// `preview` alike.
#include "conversion/question_picture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "check/diagnostics.h"
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

}  // namespace
}  // namespace texttoxml::conversion
