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

// "Какой месяц идёт после марта? Ответ — «апрель»." and the same in capitals.
const std::string kUtf8Line =
    "\xD0\x9A\xD0\xB0\xD0\xBA\xD0\xBE\xD0\xB9 \xD0\xBC\xD0\xB5\xD1\x81\xD1\x8F\xD1\x86 "
    "\xD0\xB8\xD0\xB4\xD1\x91\xD1\x82 \xD0\xBF\xD0\xBE\xD1\x81\xD0\xBB\xD0\xB5 "
    "\xD0\xBC\xD0\xB0\xD1\x80\xD1\x82\xD0\xB0? \xD0\x9E\xD1\x82\xD0\xB2\xD0\xB5\xD1\x82 "
    "\xE2\x80\x94 \xC2\xAB\xD0\xB0\xD0\xBF\xD1\x80\xD0\xB5\xD0\xBB\xD1\x8C\xC2\xBB.\r\n";
const std::string kCp1251Line =
    "\xCA\xE0\xEA\xEE\xE9 \xEC\xE5\xF1\xFF\xF6 \xE8\xE4\xB8\xF2 \xEF\xEE\xF1\xEB\xE5 "
    "\xEC\xE0\xF0\xF2\xE0? \xCE\xF2\xE2\xE5\xF2 \x97 \xAB\xE0\xEF\xF0\xE5\xEB\xFC\xBB.\r\n";
// Capitals before "Ё", a dash and a closing quote happen to form UTF-8 pairs.
const std::string kCp1251Capitals =
    "\xC2\xD1\xC5 \xC5\xA8 \xD2\xC0\xD1\xD1\xBB \xCC\xC8\xD0\x97\r\n";

std::string Repeated(const std::string& line, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += line;
  return text;
}

std::string RefusalOf(const std::string& bytes) {
  try {
    DecodeTaskTextAs(bytes, TextEncoding::Auto, "/t/t.txt");
  } catch (const MostlyUtf8Error& error) {
    return error.what();
  }
  return "read";
}

// A UTF-8 text with a few bytes that are not UTF-8 is refused where the
// first of them is, never read as windows-1251 throughout.
TEST(AutoEncoding, RefusesAMostlyUtf8TextWithInvalidBytes) {
  const std::string text = Repeated(kUtf8Line, 3);
  EXPECT_EQ(RefusalOf(kUtf8Line + "caf\xE9\r\n" + kUtf8Line),  // a windows-1252 letter
            "Invalid UTF-8 in file \"/t/t.txt\" at line 2, byte " +
                std::to_string(kUtf8Line.size() + 3) +
                ", though the rest of the file is UTF-8. Correct that character and save the file "
                "again as UTF-8, or read it with --encoding cp1251 to take the whole file as "
                "windows-1251");
  // The last character cut in half.
  EXPECT_NE(RefusalOf(text + "\xD0").find("at line 4, byte " + std::to_string(text.size())),
            std::string::npos);
  // A windows-1251 part pasted after it, as long as the UTF-8 part.
  EXPECT_NE(RefusalOf(text + Repeated(kCp1251Line, 3)).find("at line 4,"), std::string::npos);
  // U+1F600 as two encoded surrogates (CESU-8) in one line of Russian.
  EXPECT_NE(RefusalOf(kUtf8Line + "\xED\xA0\xBD\xED\xB8\x80\r\n").find("at line 2,"),
            std::string::npos);
  EXPECT_EQ(EncodingOf(kUtf8Line + "\xD0"), "refused");
}

TEST(AutoEncoding, ReadsWindows1251RussianAsWindows1251) {
  for (const std::string& text :
       {kCp1251Line, Repeated(kCp1251Line, 50) + kCp1251Capitals, kCp1251Capitals + kCp1251Line}) {
    EXPECT_EQ(EncodingOf(text), "windows-1251") << text;
  }
  EXPECT_EQ(DecodeTaskTextAs(kCp1251Line, TextEncoding::Auto, "t.txt").text,
            DecodeTaskTextAs(kUtf8Line, TextEncoding::Auto, "t.txt").text);
}

}  // namespace
}  // namespace texttoxml::conversion
