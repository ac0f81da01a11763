// A question picture above the size limit is refused, by name and with the
// limit, before a byte of it is read (by the conversion, `check` and
// `preview` alike), or, when it grows while it is read, once the limit is
// passed. So is a file of the running system.
#include "conversion/question_picture.h"

#include <limits.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
#include "preview/preview_support.h"
#include "test_support.h"

namespace texttoxml::conversion {
namespace {

using check::Diagnose;
using check::Diagnosis;
using check::Finding;
using texttoxml::testing::PreviewOf;
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
    const Diagnosis diagnosis = Diagnose(kTask, dir.Path(), {readPictures, {}});
    const auto warned = std::find_if(diagnosis.findings.begin(), diagnosis.findings.end(),
                                     [&](const Finding& finding) {
                                       return finding.message.find(expected) != std::string::npos;
                                     });
    EXPECT_NE(warned, diagnosis.findings.end()) << readPictures;
  }
  const std::string page = PreviewOf(kTask, dir.Path(), u"huge");
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

// A file that grows while it is read (a log, a download) is read only one
// byte past the limit, not to its end: the reader, in a child process, is
// let open a file of exactly the limit, which then grows to 2 GiB.
TEST(QuestionPicture, AFileThatGrowsWhileReadIsReadOnlyPastTheLimit) {
  TempDir dir;
  const std::string path = dir.Write("growing.gif", "");
  std::filesystem::resize_file(path, kMaxQuestionPictureBytes);
  const int watch = ::inotify_init1(IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, path.c_str(), IN_OPEN), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    try {
      ReadQuestionPicture(path);
      ::_exit(0);
    } catch (const QuestionPictureTooLargeError&) {
      ::_exit(1);
    } catch (...) {
      ::_exit(2);
    }
  }
  ASSERT_GT(child, 0);
  alignas(inotify_event) char event[sizeof(inotify_event) + NAME_MAX + 1];
  const bool opened = ::read(watch, event, sizeof event) > 0;  // the size check does not open
  ::close(watch);
  std::filesystem::resize_file(path, 2ull << 30);
  int status = 0;
  rusage usage{};
  ASSERT_EQ(::wait4(child, &status, 0, &usage), child);
  ASSERT_TRUE(opened);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1) << "not refused as too large";
  EXPECT_LT(usage.ru_maxrss, 1024 * 1024) << "KiB at the peak";
}

}  // namespace
}  // namespace texttoxml::conversion
