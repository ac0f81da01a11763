#include "platform/platform_errors.h"

#include <gtest/gtest.h>

namespace texttoxml {
namespace {

TEST(DisplayMessage, AppendsAFullStopAfterCharactersAboveTheDot) {
  EXPECT_EQ(DisplayMessage("Stream write error"), "Stream write error.");
  EXPECT_EQ(DisplayMessage("Ошибка"), "Ошибка.");
  EXPECT_EQ(DisplayMessage("code 5"), "code 5.");
  EXPECT_EQ(DisplayMessage("why?"), "why?.");
  EXPECT_EQ(DisplayMessage("a/"), "a/.");
  EXPECT_EQ(DisplayMessage("done."), "done.");
  EXPECT_EQ(DisplayMessage("stop!"), "stop!");
  EXPECT_EQ(DisplayMessage("(.png)"), "(.png)");
  EXPECT_EQ(DisplayMessage("a-"), "a-");
  EXPECT_EQ(DisplayMessage("line\r\n"), "line\r\n");
  EXPECT_EQ(DisplayMessage(""), "");
}

TEST(ErrorMessages, CarryTheirExactTexts) {
  EXPECT_STREQ(FOpenError("/a/b.txt", "No such file or directory").what(),
               "Cannot open file \"/a/b.txt\". No such file or directory");
  EXPECT_STREQ(FCreateError("/x.xml", "Permission denied").what(),
               "Cannot create file \"/x.xml\". Permission denied");
  EXPECT_STREQ(WriteError().what(), "Stream write error");
  EXPECT_STREQ(ReadError().what(), "Stream read error");
  EXPECT_STREQ(InvalidUtf8Error("/t.txt", 7).what(), "Invalid UTF-8 in file \"/t.txt\" at byte 7");
}

}  // namespace
}  // namespace texttoxml
