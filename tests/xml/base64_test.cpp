#include "xml/base64.h"

#include <gtest/gtest.h>

#include <string>

namespace texttoxml::xml {
namespace {

// Six bits at a time, straight from the definition.
std::string ReferenceBase64(const std::string& bytes) {
  const std::string alphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  std::size_t bitCount = bytes.size() * 8;
  for (std::size_t bit = 0; bit < bitCount; bit += 6) {
    unsigned value = 0;
    for (std::size_t k = bit; k < bit + 6; ++k) {
      unsigned b = k < bitCount ? (static_cast<unsigned char>(bytes[k / 8]) >> (7 - k % 8)) & 1 : 0;
      value = value << 1 | b;
    }
    text += alphabet[value];
  }
  while (text.size() % 4 != 0) text += '=';
  return text;
}

TEST(Base64, MatchesTheRfc4648TestVectors) {
  EXPECT_EQ(EncodeBase64(""), "");
  EXPECT_EQ(EncodeBase64("f"), "Zg==");
  EXPECT_EQ(EncodeBase64("fo"), "Zm8=");
  EXPECT_EQ(EncodeBase64("foo"), "Zm9v");
  EXPECT_EQ(EncodeBase64("foob"), "Zm9vYg==");
  EXPECT_EQ(EncodeBase64("fooba"), "Zm9vYmE=");
  EXPECT_EQ(EncodeBase64("foobar"), "Zm9vYmFy");
  // The last two characters of the standard alphabet, not the URL-safe ones.
  EXPECT_EQ(EncodeBase64("\xfb\xff"), "+/8=");
  EXPECT_EQ(EncodeBase64(std::string("\0\0\0", 3)), "AAAA");
}

TEST(Base64, EncodesEveryByteValueAndLongInputOnOneLine) {
  std::string bytes;
  for (int i = 0; i < 3 * 256 + 1; ++i) bytes += static_cast<char>(i * 37 % 256);
  for (std::size_t size = 0; size <= 6; ++size)
    EXPECT_EQ(EncodeBase64(bytes.substr(0, size)), ReferenceBase64(bytes.substr(0, size)));
  EXPECT_EQ(EncodeBase64(bytes), ReferenceBase64(bytes));

  std::string large(1 << 18, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 2654435761u >> 24);
  std::string text = EncodeBase64(large);
  EXPECT_EQ(text.size(), (large.size() + 2) / 3 * 4);
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(text, ReferenceBase64(large));
}

}  // namespace
}  // namespace texttoxml::xml
