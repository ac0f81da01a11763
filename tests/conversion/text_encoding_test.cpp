#include "conversion/text_encoding.h"

#include <gtest/gtest.h>

namespace texttoxml::conversion {
namespace {

std::string EncodingOf(std::string_view bytes) {
  try {
    return DecodeTaskTextAs(bytes, TextEncoding::Auto, "t.txt").encoding;
  } catch (const EncodingError&) {
    return "refused";
  }
}

TEST(AutoEncoding, TellsUtf8FromWindows1251AndRefusesUnmarkedUtf16) {
  EXPECT_EQ(EncodingOf("Q?\r\n= 1"), "windows-1251");  // ASCII reads the same either way
  EXPECT_EQ(EncodingOf("\xD0\xBC\xD0\xB8\xD1\x80"), "UTF-8");
  EXPECT_EQ(DecodeTaskTextAs("\xD0\xBC\xD0\xB8\xD1\x80", TextEncoding::Auto, "t.txt").text, u"мир");
  EXPECT_EQ(EncodingOf("\xEC\xE8\xF0"), "windows-1251");
  // Mostly UTF-8 with one windows-1251 letter is not UTF-8.
  EXPECT_EQ(EncodingOf("\xD0\xBC\xD0\xB8\xF0"), "windows-1251");
  EXPECT_EQ(EncodingOf("\xEF\xBB\xBFQ"), "UTF-8 with a byte order mark");
  EXPECT_EQ(EncodingOf("\xFE\xFF\0Q"), "UTF-16 BE with a byte order mark");

  // "мир\r\n" in UTF-16 BE and LE without a mark: zeros at one parity only.
  EXPECT_EQ(EncodingOf(std::string("\x04<\x04\x38\x04@\0\r\0\n", 10)), "refused");
  EXPECT_EQ(EncodingOf(std::string("<\x04\x38\x04@\x04\r\0\n\0", 10)), "refused");
  // A stray U+0000 in a long windows-1251 text, or zeros at both parities
  // (a binary file), are no UTF-16.
  EXPECT_EQ(EncodingOf(std::string("Question?\r\n+ a\0", 15)), "windows-1251");
  EXPECT_EQ(EncodingOf(std::string("Q\0\0", 3)), "windows-1251");
  EXPECT_EQ(EncodingOf(std::string("\0\0\0\0Q", 5)), "windows-1251");
  // A rare zero low byte (U+0400) beside many zero high bytes is still UTF-16.
  std::string le;
  for (int i = 0; i < 20; ++i) le += std::string("a\0", 2);
  le += std::string("\0\x04", 2);
  EXPECT_EQ(EncodingOf(le), "refused");
  // cp1251 refuses nothing that it can decode.
  EXPECT_EQ(DecodeTaskTextAs(le, TextEncoding::Cp1251, "t.txt").encoding, "windows-1251");
}

}  // namespace
}  // namespace texttoxml::conversion
