// A picture file named by many variants is loaded and encoded once per
// conversion (and per check or preview), and what every variant stores is
// what a conversion naming it once stores.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "conversion/picture_variant.h"
#include "conversion/stored_picture.h"
#include "conversion/task_text.h"
#include "conversion/test_document.h"
#include "platform/stream.h"
#include "platform/utf.h"
#include "test_support.h"
#include "xml/document.h"

namespace texttoxml::conversion {
namespace {

namespace fs = std::filesystem;
using texttoxml::testing::TempDir;

const platform::DateTime kDate{2024, 2, 29, 12, 0, 0, 0};

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A 24-bit bitmap of one colour; `pixelBytes` cuts its rows short, so that
// a file of a few dozen bytes can announce a large picture.
std::string Bitmap(std::uint32_t width, std::uint32_t height, char blue, std::size_t pixelBytes) {
  std::string out = "BM";
  PutLe(out, static_cast<std::uint32_t>(54 + pixelBytes), 4);
  PutLe(out, 0, 4);
  PutLe(out, 54, 4);
  for (std::uint32_t field : {40u, width, height}) PutLe(out, field, 4);
  PutLe(out, 1, 2);
  PutLe(out, 24, 2);
  for (int i = 0; i < 6; ++i) PutLe(out, 0, 4);
  return out + std::string(pixelBytes, blue);
}

std::string SmallBitmap(char blue) {
  return Bitmap(2, 2, blue, 16);
}

std::string Convert(TestDocumentBuilder& builder, const std::string& text, const std::string& dir) {
  const auto document =
      builder.Build(PrepareTaskText(platform::Utf8ToUtf16(text).text).blocks, {dir, ""}, kDate);
  std::string bytes;
  platform::StringOutputStream stream(bytes);
  document->SaveToStream(stream);
  return bytes;
}

std::vector<std::string> FormattedTexts(const std::string& xml) {
  std::vector<std::string> values;
  const std::string open = "<FormattedText>";
  for (auto at = xml.find(open); at != std::string::npos; at = xml.find(open, at + 1)) {
    const auto start = at + open.size();
    values.push_back(xml.substr(start, xml.find('<', start) - start));
  }
  return values;
}

std::string EmbeddedOnce(PictureVariantWriter& writer, const std::string& path) {
  auto document = xml::Document::CreateName("Variant");
  writer.Embed(*document->Root(), path);
  std::string bytes;
  platform::StringOutputStream stream(bytes);
  document->SaveToStream(stream);
  return FormattedTexts(bytes).at(0);
}

// Writes new bytes of the same size and gives the file its old time back:
// to the cache it is the file it was.
void RewriteUnnoticed(const std::string& path, const std::string& bytes) {
  const auto time = fs::last_write_time(path);
  ASSERT_EQ(fs::file_size(path), bytes.size());
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  fs::last_write_time(path, time);
}

TEST(PictureReuse, EveryVariantNamingOneFileStoresWhatOneVariantWould) {
  TempDir dir;
  // 71 bytes announcing 2000 x 1000 pixels: seconds of work were it redone.
  dir.Write("big.bmp", Bitmap(2000, 1000, '\x40', 17));
  fs::create_symlink(dir.File("big.bmp"), dir.File("alias.bmp"));
  TestDocumentBuilder builder;
  const std::vector<std::string> once =
      FormattedTexts(Convert(builder, "Q?\r\n+[big.bmp]\r\n-no\r\n", dir.Path()));
  ASSERT_EQ(once.size(), 1u);
  std::string text = "Q?\r\n";
  for (int i = 0; i < 10; ++i) text += "+[big.bmp]\r\n";
  text += "\r\nR?\r\n+[alias.bmp]\r\n-[big.bmp]\r\n";
  const std::vector<std::string> many = FormattedTexts(Convert(builder, text, dir.Path()));
  EXPECT_EQ(many, std::vector<std::string>(12, once[0]));
}

TEST(PictureReuse, AFileIsLoadedAgainOnlyWhenItHasChanged) {
  TempDir dir;
  const std::string path = dir.Write("a.bmp", SmallBitmap('\x10'));
  PictureVariantWriter writer;
  const std::string first = EmbeddedOnce(writer, path);
  RewriteUnnoticed(path, SmallBitmap('\x70'));
  EXPECT_EQ(EmbeddedOnce(writer, path), first);
  PictureVariantWriter fresh;
  const std::string rewritten = EmbeddedOnce(fresh, path);
  EXPECT_NE(rewritten, first);
  writer.Clear();
  EXPECT_EQ(EmbeddedOnce(writer, path), rewritten);
  // Another size is another file.
  dir.Write("a.bmp", Bitmap(3, 2, '\x70', 24));
  EXPECT_NE(EmbeddedOnce(writer, path), rewritten);

  StoredPictures stored;
  const StoredPicture before = stored.Load(path);
  RewriteUnnoticed(path, Bitmap(3, 2, '\x20', 24));
  EXPECT_EQ(stored.Load(path).bytes, before.bytes);
  EXPECT_NE(StoredPictures().Load(path).bytes, before.bytes);
}

TEST(PictureReuse, EachBuildLoadsItsPicturesAfresh) {
  TempDir dir;
  const std::string path = dir.Write("a.bmp", SmallBitmap('\x10'));
  const std::string text = "Q?\r\n+[a.bmp]\r\n-no\r\n";
  TestDocumentBuilder builder;
  const std::string first = Convert(builder, text, dir.Path());
  RewriteUnnoticed(path, SmallBitmap('\x70'));
  const std::string second = Convert(builder, text, dir.Path());
  EXPECT_NE(second, first);
  TestDocumentBuilder fresh;
  EXPECT_EQ(Convert(fresh, text, dir.Path()), second);
}

}  // namespace
}  // namespace texttoxml::conversion
