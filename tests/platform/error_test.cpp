#include "error.h"

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

}  // namespace
}  // namespace texttoxml
