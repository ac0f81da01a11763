#include <gtest/gtest.h>

#include <set>

#include "platform/clock.h"
#include "platform/guid.h"
#include "test_support.h"

namespace texttoxml::platform {
namespace {

TEST(ParseDateTime, AcceptsSecondsAndMilliseconds) {
  auto t = ParseDateTime("2013-07-24T15:04:05");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->year, 2013);
  EXPECT_EQ(t->month, 7);
  EXPECT_EQ(t->day, 24);
  EXPECT_EQ(t->hour, 15);
  EXPECT_EQ(t->minute, 4);
  EXPECT_EQ(t->second, 5);
  EXPECT_EQ(t->millisecond, 0);
  auto m = ParseDateTime("2024-02-29T23:59:59.870");
  ASSERT_TRUE(m);
  EXPECT_EQ(m->millisecond, 870);
}

TEST(ParseDateTime, RefusesMalformedOrImpossibleTimes) {
  for (const char* text : {"", "2013-07-24", "2013-07-24 15:04:05", "2013-7-24T15:04:05",
                           "2013-07-24T15:04:05.87", "2013-07-24T15:04:05Z", "2013-02-30T00:00:00",
                           "2023-02-29T00:00:00", "2013-13-01T00:00:00", "2013-07-24T24:00:00",
                           "2013-07-24T12:60:00", "2013-07-24T12:00:60", "0000-01-01T00:00:00"}) {
    EXPECT_FALSE(ParseDateTime(text)) << text;
  }
}

TEST(LocalNow, GivesAPlausibleTime) {
  DateTime now = LocalNow();
  EXPECT_GE(now.year, 2020);
  EXPECT_TRUE(now.month >= 1 && now.month <= 12);
  EXPECT_TRUE(now.millisecond >= 0 && now.millisecond <= 999);
}

TEST(NewGuidText, IsARandomVersion4GuidInUpperCase) {
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) {
    std::string guid = NewGuidText();
    ASSERT_TRUE(texttoxml::testing::IsGuidText(guid)) << guid;
    EXPECT_EQ(guid[14], '4');
    EXPECT_NE(std::string("89AB").find(guid[19]), std::string::npos);
    seen.insert(guid);
  }
  EXPECT_EQ(seen.size(), 200u);
}

}  // namespace
}  // namespace texttoxml::platform
