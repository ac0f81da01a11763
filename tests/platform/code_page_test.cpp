#include "platform/code_page.h"

#include <gtest/gtest.h>

#include "error.h"
#include "platform/utf.h"

namespace texttoxml::platform {
namespace {

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

TEST(CodePage, EveryByteSurvivesDecodeAndEncode) {
  std::string bytes = AllBytes();
  std::u16string text = AnsiToUtf16(bytes);
  ASSERT_EQ(text.size(), 256u);
  EXPECT_EQ(Utf16ToAnsi(text), bytes);
}

TEST(CodePage, MapsWindows1251Letters) {
  EXPECT_EQ(AnsiToUtf16("\xC0\xFF\xA8\xB8"), u"АяЁё");
  EXPECT_EQ(AnsiToUtf16("\x88\xB9\x96\x97"), u"€№–—");
  EXPECT_EQ(AnsiToUtf16("\x98"), std::u16string(1, u'\u0098'));
  EXPECT_EQ(Utf16ToAnsi(u"Пушкин"), "\xCF\xF3\xF8\xEA\xE8\xED");
}

TEST(CodePage, DirectUtf8PassageEqualsTheTwoSteps) {
  std::string bytes = AllBytes() + "plain ascii" + AllBytes();
  EXPECT_EQ(AnsiToUtf8(bytes), Utf16ToUtf8(AnsiToUtf16(bytes)));
  EXPECT_EQ(AnsiToUtf8(""), "");
}

TEST(CodePage, RefusesCharactersItLacks) {
  try {
    Utf16ToAnsi(u"ok \u4E2D");
    FAIL() << "no error";
  } catch (const CodePageError& e) {
    EXPECT_STREQ(e.what(), "Character U+4E2D cannot be written in code page windows-1251");
  }
  EXPECT_THROW(Utf16ToAnsi(u"\u00E9"), CodePageError);  // Latin é is not in 1251
}

}  // namespace
}  // namespace texttoxml::platform
