// A picture file named by many variants is loaded and encoded once per
// conversion (and per check or preview), and what every variant stores is
// what a conversion naming it once stores: never what another file, another
// content or another kind made.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "conversion/picture_cache.h"
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

// The message of what `call` raises; empty when it raises nothing.
template <class Call>
std::string FailureOf(Call&& call) {
  try {
    call();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "";
}

std::string FreshlyEmbedded(const std::string& path) {
  PictureVariantWriter fresh;
  return EmbeddedOnce(fresh, path);
}

// Writes new bytes of the same size and gives the file its old time back:
// its inode, size and time say it is the file it was.
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

// What was made of a file is reused only for the very bytes it was made
// from: a file rewritten in place, or a new file on a freed inode, with
// size and time as before, is loaded again.
TEST(PictureReuse, AFileIsLoadedAgainWhenItsBytesChangedWhateverItsTimeSays) {
  TempDir dir;
  const std::string path = dir.Write("a.bmp", SmallBitmap('\x10'));
  PictureVariantWriter writer;
  const std::string first = EmbeddedOnce(writer, path);
  RewriteUnnoticed(path, SmallBitmap('\x70'));
  const std::string rewritten = EmbeddedOnce(writer, path);
  EXPECT_NE(rewritten, first);
  EXPECT_EQ(rewritten, FreshlyEmbedded(path));

  const auto time = fs::last_write_time(path);
  fs::remove(path);
  dir.Write("a.bmp", SmallBitmap('\x30'));
  fs::last_write_time(path, time);
  EXPECT_EQ(EmbeddedOnce(writer, path), FreshlyEmbedded(path));
  EXPECT_NE(EmbeddedOnce(writer, path), rewritten);

  StoredPictures stored;
  const StoredPicture before = stored.Load(path);
  RewriteUnnoticed(path, SmallBitmap('\x20'));
  EXPECT_NE(stored.Load(path).bytes, before.bytes);
  EXPECT_EQ(stored.Load(path).bytes, StoredPictures().Load(path).bytes);
}

// The extension of each name chooses the kind its file is loaded as, also
// when another name of the same bytes was loaded before: a JPEG named .png
// fails as it fails alone.
TEST(PictureReuse, EachNameIsLoadedAsTheKindItsExtensionChooses) {
  TempDir dir;
  const std::string jpeg = dir.Write(
      "a.jpg",
      texttoxml::testing::ReadFile(std::string(TEXTTOXML_SOURCE_DIR) + "/examples/Pushkin.jpg"));
  fs::create_hard_link(jpeg, dir.File("a.png"));
  const std::string png = dir.File("a.png");
  const std::string failure = FailureOf([&] { FreshlyEmbedded(png); });
  ASSERT_NE(failure, "");
  PictureVariantWriter writer;
  EmbeddedOnce(writer, jpeg);
  EXPECT_EQ(FailureOf([&] { EmbeddedOnce(writer, png); }), failure);

  StoredPictures stored;
  EXPECT_EQ(stored.Load(jpeg).className, "TJPEGImage");
  EXPECT_EQ(FailureOf([&] { stored.Load(png); }), failure);
}

// Past its budget the cache lets go of the pictures used least recently,
// not of all: pictures used in turn are each made once while they fit.
TEST(PictureReuse, TheCacheLetsTheLeastRecentlyUsedGoPastItsBudget) {
  // Each value holds 10 bytes beside its 10 content bytes: two fit in 50.
  PictureCache<int> cache(50, [](const int&) { return std::size_t{10}; });
  int made = 0;
  auto get = [&](char content) {
    return cache.Get("png", std::string(10, content), [&](const std::string& bytes) {
      ++made;
      return static_cast<int>(bytes[0]);
    });
  };
  EXPECT_EQ(get('a'), 'a');
  EXPECT_EQ(get('b'), 'b');
  for (int turn = 0; turn < 5; ++turn) {
    get('a');
    get('b');
  }
  EXPECT_EQ(made, 2);
  EXPECT_EQ(cache.HeldBytes(), 40u);
  get('c');  // 'a' was used before 'b': it goes
  EXPECT_EQ(made, 3);
  get('b');
  EXPECT_EQ(made, 3);
  get('a');
  EXPECT_EQ(made, 4);
  EXPECT_EQ(cache.HeldBytes(), 40u);
  // The same bytes as another kind are another picture.
  EXPECT_EQ(cache.Get("jpg", std::string(10, 'a'), [](const std::string&) { return 0; }), 0);
  // A value larger than the whole budget is made, but not kept.
  PictureCache<int> small(5, [](const int&) { return std::size_t{0}; });
  EXPECT_EQ(small.Get("png", "too large", [](const std::string&) { return 7; }), 7);
  EXPECT_EQ(small.HeldBytes(), 0u);
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
