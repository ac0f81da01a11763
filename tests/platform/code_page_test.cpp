#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform_errors.h"
#include "platform/utf.h"
#include "test_support.h"

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

// Keeps every piece it is handed, as it was handed.
class PieceStream : public OutputStream {
 public:
  std::size_t Write(const char* data, std::size_t size) override {
    pieces.emplace_back(data, size);
    return size;
  }
  std::string Joined() const {
    std::string all;
    for (const std::string& piece : pieces) all += piece;
    return all;
  }
  std::vector<std::string> pieces;
};

class FullStream : public OutputStream {
 public:
  std::size_t Write(const char*, std::size_t) override { return 0; }
};

TEST(CodePage, StreamedUtf8PassageEqualsTheWholeOne) {
  // ASCII runs of every length around the eight-byte steps, and non-ASCII
  // runs longer than the conversion buffer.
  std::string mixed;
  for (int run = 0; run < 20; ++run) {
    mixed += std::string(static_cast<std::size_t>(run), static_cast<char>('a' + run));
    mixed += std::string(static_cast<std::size_t>(run) * 30, static_cast<char>(0xC0 + run));
  }
  mixed += AllBytes();
  PieceStream stream;
  AnsiToUtf8(mixed, stream);
  const std::string expected = Utf16ToUtf8(AnsiToUtf16(mixed));
  EXPECT_EQ(stream.Joined(), expected);
  EXPECT_EQ(AnsiToUtf8(mixed), expected);
  EXPECT_EQ(AnsiToUtf8Size(mixed), expected.size());
  EXPECT_EQ(AnsiToUtf8Size(""), 0u);

  // A long ASCII run goes through in one piece, as it is.
  const std::string ascii(100001, 'x');
  PieceStream asciiStream;
  AnsiToUtf8(ascii, asciiStream);
  ASSERT_EQ(asciiStream.pieces.size(), 1u);
  EXPECT_EQ(asciiStream.pieces[0], ascii);

  PieceStream empty;
  AnsiToUtf8("", empty);
  EXPECT_TRUE(empty.pieces.empty());

  FullStream full;
  EXPECT_THROW(AnsiToUtf8("text", full), WriteError);
  EXPECT_THROW(AnsiToUtf8("\xC0", full), WriteError);
}

TEST(CodePage, RefusesCharactersItLacks) {
  EXPECT_THROW_MSG(Utf16ToAnsi(u"ok \u4E2D"), CodePageError,
                   "Character U+4E2D cannot be written in code page windows-1251");
  EXPECT_THROW(Utf16ToAnsi(u"\u00E9"), CodePageError);  // Latin é is not in 1251
}

}  // namespace
}  // namespace texttoxml::platform
