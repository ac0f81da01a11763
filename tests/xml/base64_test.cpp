#include "xml/base64.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace texttoxml::xml {
namespace {

// Six bits at a time, straight from the definition.
std::string ReferenceBase64(const std::string& bytes) {
  const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
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
  for (std::size_t i = 0; i < large.size(); ++i)
    large[i] = static_cast<char>(i * 2654435761u >> 24);
  std::string text = EncodeBase64(large);
  EXPECT_EQ(text.size(), (large.size() + 2) / 3 * 4);
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(text, ReferenceBase64(large));
}

TEST(Base64, EncoderTakesTheBytesInPiecesOfAnySize) {
  std::string bytes(3 * 2048 + 5, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>(i * 2654435761u >> 24);
  const std::string expected = ReferenceBase64(bytes);
  for (std::size_t piece : {1, 2, 3, 4, 5, 7, 3071, 3072, 3073, 100000}) {
    std::string text = "kept:";
    platform::StringOutputStream out(text);
    Base64Encoder encoder(out);
    for (std::size_t at = 0; at < bytes.size(); at += piece)
      encoder.Write(bytes.data() + at, std::min(piece, bytes.size() - at));
    encoder.Finish();
    EXPECT_EQ(text, "kept:" + expected) << "pieces of " << piece;
  }

  // Nothing pending, nothing written; after Finish a new text starts.
  std::string text;
  platform::StringOutputStream out(text);
  Base64Encoder encoder(out);
  EXPECT_EQ(encoder.Write(nullptr, 0), 0u);
  encoder.Finish();
  EXPECT_EQ(text, "");
  encoder.Write("f", 1);
  encoder.Finish();
  encoder.Write("fo", 2);
  encoder.Finish();
  encoder.Finish();
  EXPECT_EQ(text, "Zg==Zm8=");

  for (std::size_t size : {0, 1, 2, 3, 4, 3072, 3073})
    EXPECT_EQ(Base64Size(size), ReferenceBase64(bytes.substr(0, size)).size()) << size;
}

}  // namespace
}  // namespace texttoxml::xml
