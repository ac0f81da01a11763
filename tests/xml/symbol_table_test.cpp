#include "xml/symbol_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace texttoxml::xml {
namespace {

TEST(SymbolTable, GivesIdsFromOneAndTheSameIdForTheSameBytes) {
  SymbolTable table;
  EXPECT_EQ(table.AddString(""), 0u);
  EXPECT_EQ(table.SymbolCount(), 0u);
  EXPECT_EQ(table.AddString("Task"), 1u);
  EXPECT_EQ(table.AddString("PlainText"), 2u);
  EXPECT_EQ(table.AddString("Task"), 1u);
  EXPECT_EQ(table.AddString(std::string("a\0b", 3)), 3u);
  EXPECT_EQ(table.AddString(std::string("a\0c", 3)), 4u);
  EXPECT_EQ(table.SymbolCount(), 4u);

  EXPECT_EQ(table.GetString(0), "");
  EXPECT_EQ(table.GetString(1), "Task");
  EXPECT_EQ(table.GetString(2), "PlainText");
  EXPECT_EQ(table.GetString(4), std::string("a\0c", 3));
  EXPECT_EQ(table.GetString(5), "");  // never given out
}

TEST(SymbolTable, StaysConsistentWithManyEntries) {
  SymbolTable table;
  constexpr std::size_t kCount = 20000;
  for (std::size_t i = 0; i < kCount; ++i)
    ASSERT_EQ(table.AddString("n" + std::to_string(i * 7919 % kCount)), i + 1);
  for (std::size_t i = 0; i < kCount; i += 97)
    EXPECT_EQ(table.AddString("n" + std::to_string(i * 7919 % kCount)), i + 1);
  ASSERT_EQ(table.SymbolCount(), kCount);
  for (std::size_t i = 0; i < kCount; ++i)
    ASSERT_EQ(table.GetString(i + 1), "n" + std::to_string(i * 7919 % kCount)) << i;
}

// Long texts are looked up by their ends first: two that differ only in
// the middle are still two entries, and an equal one finds its entry.
TEST(SymbolTable, LongTextsThatDifferInTheMiddleAreTwoEntries) {
  SymbolTable table;
  std::string first(100000, 'a');
  std::string second = first;
  second[50000] = 'b';
  const std::size_t id = table.AddString(first);
  EXPECT_NE(table.AddString(second), id);
  EXPECT_EQ(table.AddString(std::string(first)), id);
  EXPECT_EQ(table.SymbolCount(), 2u);
}

// Rewinding past entries added since, also across a growth of the index and
// with a large text, leaves every older entry with its ID and
// makes the newer ones unknown again.
TEST(SymbolTable, RewindForgetsOnlyTheNewerEntries) {
  SymbolTable table;
  for (int i = 0; i < 100; ++i) table.AddString("old" + std::to_string(i));
  const SymbolTable::Mark mark = table.Here();
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 3000; ++i) table.AddString("new" + std::to_string(i));
    table.AddString(std::string(100000, 'x'));
    table.Rewind(mark);
    ASSERT_EQ(table.SymbolCount(), 100u);
    EXPECT_EQ(table.GetString(101), "");
    for (int i = 0; i < 100; ++i)
      ASSERT_EQ(table.AddString("old" + std::to_string(i)), static_cast<std::size_t>(i + 1));
    EXPECT_EQ(table.AddString("new7"), 101u);
    table.Rewind(mark);
  }
}

}  // namespace
}  // namespace texttoxml::xml
