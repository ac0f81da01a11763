#include "platform/folder_case.h"

#include <gtest/gtest.h>

namespace texttoxml::platform {
namespace {

// Names that a FAT stick or a Windows share takes for one file fold to one
// text; names that differ in more than case stay apart.
TEST(CaseFolded, FoldsTheLettersOfTeachersFileNames) {
  EXPECT_EQ(CaseFolded("Tasks.XML"), CaseFolded("tasks.xml"));
  EXPECT_EQ(CaseFolded("\xD0\xA2\xD0\x95\xD0\xA1\xD0\xA2.xml"),                         // ТЕСТ
            CaseFolded("\xD1\x82\xD0\xB5\xD1\x81\xD1\x82.xml"));                        // тест
  EXPECT_EQ(CaseFolded("\xD0\x81.xml"), CaseFolded("\xD1\x91.xml"));                    // Ё, ё
  EXPECT_EQ(CaseFolded("\xC3\x89t\xC3\xA9.xml"), CaseFolded("\xC3\xA9t\xC3\xA9.xml"));  // Été
  EXPECT_NE(CaseFolded("\xC3\x97"), CaseFolded("\xC3\xB7"));  // × and ÷ are not letters
  EXPECT_NE(CaseFolded("tasks1.xml"), CaseFolded("tasks2.xml"));
  EXPECT_EQ(CaseFolded("\xFF\xFEX"), "\xFF\xFEX");  // not UTF-8: compared as it is
}

TEST(FolderIgnoresCase, AFolderThatIsNotThereIsNotCaseBlind) {
  EXPECT_FALSE(FolderIgnoresCase("/no/such/folder"));
  EXPECT_FALSE(FolderIgnoresCase("/proc"));
}

}  // namespace
}  // namespace texttoxml::platform
