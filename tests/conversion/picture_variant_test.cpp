#include "conversion/picture_variant.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "conversion/convert.h"
#include "conversion/embedded_data.h"
#include "conversion/picture_file.h"
#include "conversion/stored_picture.h"
#include "conversion/task_text.h"
#include "conversion/test_document.h"
#include "converted.h"
#include "pictures/gif_test_support.h"
#include "pictures/picture_errors.h"
#include "pictures/png_test_support.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/platform_errors.h"
#include "platform/stream.h"
#include "platform/utf.h"
#include "test_support.h"
#include "xml/document.h"

namespace texttoxml::conversion {
namespace {

using texttoxml::testing::DecodeBase64;
using texttoxml::testing::DecodeWithLibpng;
using texttoxml::testing::Hex;
using texttoxml::testing::LibpngImage;
using texttoxml::testing::ReadFile;
using texttoxml::testing::TempDir;

const std::string kData = std::string(TEXTTOXML_TEST_DATA) + "/richtext/";
const platform::DateTime kDate{2013, 7, 24, 15, 4, 5, 0};

// The lines before the graphic's class name are the same for every picture.
const std::string kRichDocHead =
    "-8 1 3\r\n-9 2 0 0 0 0 1\r\nRVStyle1\r\n"
    "0E01095374796C654E616D65060B4E6F726D616C207465787408466F6E744E616D650605417269616C07556E69"
    "636F6465090000\r\n-9 2 0 0 0 0 2\r\nRVStyle1\r\n"
    "0E01095374796C654E616D65060F506172616772617068205374796C6504546162730E00000109537479"
    "6C654E616D65060843656E746572656409416C69676E6D656E74070972766143656E74657204546162730E"
    "000000\r\n-9 2 0 0 0 0 4\r\nRVStyle1\r\n0E00\r\n-9 0 0 0 0 0 7\r\n-3 3 0 0 0 0 0\r\n\r\n";

void PutU16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8 & 0xFF);
}

void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

// An enhanced metafile of a header record (frame 0,0 to 1000,500) and an
// end record.
std::string TinyEnhancedMetafile() {
  std::string emf;
  PutU32(emf, 1);    // header record
  PutU32(emf, 108);  // its size
  for (std::uint32_t v : {0u, 0u, 37u, 18u, 0u, 0u, 1000u, 500u}) PutU32(emf, v);
  PutU32(emf, 0x464D4520);                                           // " EMF"
  PutU32(emf, 0x10000);                                              // version
  PutU32(emf, 128);                                                  // total size
  PutU32(emf, 2);                                                    // records
  PutU32(emf, 1);                                                    // handles and reserved
  for (int i = 0; i < 3; ++i) PutU32(emf, 0);                        // description, palette
  for (std::uint32_t v : {1024u, 768u, 320u, 240u}) PutU32(emf, v);  // reference device
  for (int i = 0; i < 5; ++i) PutU32(emf, 0);  // pixel format, OpenGL, micrometres
  for (std::uint32_t v : {14u, 20u, 0u, 16u, 20u}) PutU32(emf, v);  // end record
  return emf;
}

// A placeable Windows metafile, 96 units per inch, 48 x 24 units, with an
// empty record list.
std::string TinyWindowsMetafile() {
  std::string header;
  PutU32(header, 0x9AC6CDD7);
  for (unsigned v : {0u, 0u, 0u, 48u, 24u, 96u}) PutU16(header, v);
  PutU32(header, 0);
  unsigned checksum = 0;
  for (std::size_t i = 0; i < 20; i += 2)
    checksum ^= static_cast<unsigned char>(header[i]) | static_cast<unsigned char>(header[i + 1])
                                                            << 8;
  PutU16(header, checksum);
  std::string records;
  for (unsigned v : {1u, 9u, 0x0300u}) PutU16(records, v);
  PutU32(records, 12);  // size in words
  PutU16(records, 0);   // objects
  PutU32(records, 3);   // largest record
  PutU16(records, 0);
  PutU32(records, 3);  // the end record
  PutU16(records, 0);
  return header + records;
}

std::string UndoPassage(const std::string& base64) {
  return platform::Utf16ToAnsi(platform::Utf8ToUtf16(DecodeBase64(base64)).text);
}

// The pixels of an uncompressed 24-bit bitmap file as RGB, rows top first:
// the file holds them bottom row first, as blue, green, red, each row
// padded to four bytes.
std::vector<std::uint8_t> BitmapRgb(const std::string& file) {
  auto u32 = [&](std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(file.at(at + i));
    return value;
  };
  EXPECT_EQ(u32(28) & 0xFFFF, 24u) << "the test expects a 24-bit bitmap";
  const std::uint32_t offset = u32(10), width = u32(18), height = u32(22);
  const std::size_t stride = (width * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> rgb;
  for (std::size_t y = height; y-- > 0;) {
    for (std::size_t x = 0; x < width; ++x) {
      const std::size_t at = offset + y * stride + x * 3;
      for (std::size_t channel : {2, 1, 0})
        rgb.push_back(static_cast<std::uint8_t>(file.at(at + channel)));
    }
  }
  return rgb;
}

// Every pixel's colour as giflib finds it in the first frame.
std::vector<pictures::GifColor> GifColors(const std::string& gif) {
  const auto image = pictures::testing::DecodeWithGiflib(gif);
  EXPECT_TRUE(image.ok) << "giflib error " << image.error;
  EXPECT_EQ(image.frames.size(), 1u);
  return image.ok && !image.frames.empty() ? image.frames[0].colors
                                           : std::vector<pictures::GifColor>{};
}

// The bytes that a hexadecimal text stands for.
std::string FromHex(std::string_view hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
  return bytes;
}

// The RichDoc text in a FormattedText value, split after the common head
// into class name and picture bytes.
struct EmbeddedPicture {
  std::string className;
  std::string hex;
};

EmbeddedPicture ReadFormattedText(const std::string& value) {
  const std::string richDoc = UndoPassage(value);
  EXPECT_EQ(richDoc.substr(0, kRichDocHead.size()), kRichDocHead);
  const std::size_t classEnd = richDoc.find("\r\n", kRichDocHead.size());
  EXPECT_NE(classEnd, std::string::npos);
  EXPECT_EQ(richDoc.substr(richDoc.size() - 2), "\r\n");
  return {richDoc.substr(kRichDocHead.size(), classEnd - kRichDocHead.size()),
          richDoc.substr(classEnd + 2, richDoc.size() - classEnd - 4)};
}

std::string Serialize(xml::Document& document) {
  std::string bytes;
  platform::StringOutputStream stream(bytes);
  document.SaveToStream(stream);
  return bytes;
}

// Every VariantText element of the XML text with its content.
std::vector<std::string> VariantTexts(const std::string& xml) {
  std::vector<std::string> variants;
  for (auto at = xml.find("<VariantText"); at != std::string::npos;
       at = xml.find("<VariantText", at + 1)) {
    variants.push_back(xml.substr(at, xml.find("</VariantText>", at) - at));
  }
  return variants;
}

std::string ValueOf(const std::string& xml, const std::string& element) {
  auto start = xml.find("<" + element + ">");
  if (start == std::string::npos) return {};
  start += element.size() + 2;
  return xml.substr(start, xml.find("</" + element + ">", start) - start);
}

class PictureVariants : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"pic.bmp", "pic.png", "photo.jpg", "icon.ico", "pic.tif", "pic.gif"})
      dir_.Write(name, ReadFile(kData + name));
    dir_.Write("drawing.emf", TinyEnhancedMetafile());
    dir_.Write("drawing.wmf", TinyWindowsMetafile());
  }

  std::string Convert(const std::u16string& text) {
    return Converted(text, {dir_.Path(), ""}, kDate);
  }

  TempDir dir_;
};

TEST_F(PictureVariants, EveryKindIsStoredAsItsGraphicWritesIt) {
  const std::u16string text =
      u"Which one?\r\n+ [pic.bmp]\r\n- [pic.png]\r\n- [photo.jpg]\r\n- [icon.ico]\r\n"
      u"- [drawing.emf]\r\n- [drawing.wmf]\r\n- [pic.tif]\r\n- [pic.gif]\r\n- words";
  const std::string xml = Convert(text);
  const auto variants = VariantTexts(xml);
  ASSERT_EQ(variants.size(), 9u);
  const std::pair<const char*, const char*> expected[] = {
      {"pic.bmp", "TPngImage"}, {"pic.png", "TPngImage"},     {"photo.jpg", "TJPEGImage"},
      {"icon.ico", "TIcon"},    {"drawing.emf", "TMetafile"}, {"drawing.wmf", "TMetafile"},
      {"pic.tif", "TWICImage"}, {"pic.gif", "TGIFImage"}};
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const auto& [name, className] = expected[i];
    SCOPED_TRACE(name);
    // FormattedText is the second child, right after PlainText.
    const std::string& variant = variants[i];
    const auto plainEnd = variant.find("</PlainText>");
    ASSERT_NE(plainEnd, std::string::npos);
    EXPECT_EQ(variant.find('<', plainEnd + 1), variant.find("<FormattedText>"));
    EXPECT_EQ(ValueOf(variant, "PlainText"), std::string("[") + name + "]");

    EXPECT_EQ(ReadFormattedText(ValueOf(variant, "FormattedText")).className, className);
  }
  EXPECT_EQ(variants[8].find("FormattedText"), std::string::npos);

  auto file = [&](const char* name) { return ReadFile(dir_.File(name)); };
  auto stored = [&](std::size_t i) {
    return FromHex(ReadFormattedText(ValueOf(variants[i], "FormattedText")).hex);
  };
  // Kinds that keep their file's bytes.
  EXPECT_EQ(Hex(stored(2)), Hex(file("photo.jpg")));
  EXPECT_EQ(Hex(stored(3)), Hex(file("icon.ico")));
  EXPECT_EQ(Hex(stored(4)), Hex(file("drawing.emf")));
  EXPECT_EQ(Hex(stored(5)), Hex(file("drawing.wmf")));
  EXPECT_EQ(Hex(stored(6)), Hex(file("pic.tif")));

  // The bitmap became a PNG: libpng reads the bitmap's own pixels from it.
  const LibpngImage fromBitmap = DecodeWithLibpng(stored(0));
  ASSERT_TRUE(fromBitmap.ok) << fromBitmap.error;
  EXPECT_EQ(fromBitmap.width, 6u);
  EXPECT_EQ(fromBitmap.height, 6u);
  EXPECT_EQ(fromBitmap.channels, 3);
  EXPECT_EQ(fromBitmap.sampleBits, 8);
  EXPECT_EQ(fromBitmap.pixels, BitmapRgb(file("pic.bmp")));
  EXPECT_EQ(std::vector<std::uint8_t>(fromBitmap.pixels.begin(), fromBitmap.pixels.begin() + 3),
            (std::vector<std::uint8_t>{255, 0, 0}));  // the top left quarter is red

  // A PNG may be written anew, but with the pixels that libpng reads from
  // the file; a GIF likewise keeps the colour of every pixel.
  const LibpngImage source = DecodeWithLibpng(file("pic.png"));
  const LibpngImage fromPng = DecodeWithLibpng(stored(1));
  ASSERT_TRUE(source.ok && fromPng.ok) << source.error << fromPng.error;
  EXPECT_EQ(fromPng.width, source.width);
  EXPECT_EQ(fromPng.height, source.height);
  EXPECT_EQ(fromPng.channels, source.channels);
  EXPECT_EQ(fromPng.pixels, source.pixels);
  EXPECT_EQ(GifColors(stored(7)), GifColors(file("pic.gif")));
  EXPECT_EQ(GifColors(stored(7)).size(), 16u);
}

TEST_F(PictureVariants, MissingFilesAndRepeatedPictures) {
  const std::string xml = Convert(
      u"Order them.\r\n1. [pic.png]\r\n2. [absent.png]\r\n3. [pic.png]\r\n\r\n"
      u"Pick.\r\n+ [photo.jpg]\r\n- b");
  const auto variants = VariantTexts(xml);
  ASSERT_EQ(variants.size(), 5u);
  EXPECT_EQ(variants[1].find("FormattedText"), std::string::npos);
  EXPECT_NE(variants[1].find("<PlainText>[absent.png]</PlainText>"), std::string::npos);
  // The same file twice gives the same text; another picture only changes
  // the class name and the bytes.
  EXPECT_EQ(ValueOf(variants[0], "FormattedText"), ValueOf(variants[2], "FormattedText"));
  EXPECT_EQ(ReadFormattedText(ValueOf(variants[3], "FormattedText")).className, "TJPEGImage");
}

TEST_F(PictureVariants, AVariantThatIsNoPictureFailsTheWholeSave) {
  dir_.Write("notes.txt", "just text");
  const std::string output = dir_.Write("out.xml", "previous content");
  const std::u16string text = u"Fine.\r\n+ [pic.png]\r\n- x\r\n\r\nPick.\r\n+ [notes.txt]\r\n- b";
  Converter converter;
  const auto save = [&](const std::string& path) {
    platform::FileOutputStream file(path);
    converter.Convert(text, {dir_.Path(), ""}, kDate, file);
    file.Commit();
  };
  EXPECT_THROW_MSG(save(output), InvalidGraphicError, "Unknown picture file extension (.txt)");
  EXPECT_EQ(ReadFile(output), "previous content");
  const std::string fresh = dir_.File("fresh.xml");
  EXPECT_THROW(save(fresh), InvalidGraphicError);
  EXPECT_FALSE(std::filesystem::exists(fresh));
  EXPECT_EQ(converter.FailedPicture()->preparedLine, 4u);  // "+ [notes.txt]"

  // A file of a known kind that does not decode fails with that kind's error.
  dir_.Write("broken.bmp", "XX not a bitmap at all");
  EXPECT_THROW(Convert(u"Pick.\r\n+ [broken.bmp]\r\n- b"), InvalidGraphicError);
}

// A variant file is bounded as a question picture is: refused by name and
// limit before a byte of it is read (a sparse file, which reading would
// take 256 MiB for), not decoded at any size.
TEST_F(PictureVariants, AFileAboveTheLimitIsRefusedByNameAndLimit) {
  const std::string path = dir_.Write("huge.jpg", "");
  std::filesystem::resize_file(path, kMaxPictureFileBytes + 1);
  const std::string expected = "Picture variant \"" + platform::FullPath(path) +
                               "\" is too large (268435457 bytes). The limit is 268435456 "
                               "bytes (256 MiB).";
  EXPECT_THROW_MSG(Convert(u"Pick.\r\n+ [huge.jpg]\r\n- b"), VariantPictureTooLargeError, expected);
  EXPECT_THROW_MSG(ReadVariantPictureFile(path), VariantPictureTooLargeError, expected);
}

// The passage of a text or of bytes, as the element writes it.
template <class Content>
std::string Embedded(const Content& content) {
  std::string text;
  platform::StringOutputStream out(text);
  WriteEmbeddedData(content, out);
  return text;
}

TEST(EmbeddedData, StreamedFromTheRichDocTextAsFromItsBytes) {
  // Hex lines of every length modulo three after texts of every length
  // modulo three, so that each meets base64's groups at every offset; the
  // texts carry letters of the code page that become two UTF-8 bytes.
  richtext::RichDocText text;
  for (int i = 0; i < 9; ++i) {
    text.Append(std::string(static_cast<std::size_t>(i % 3), '\xC0') + "-" + std::to_string(i) +
                "\r\n");
    text.AppendHexLine(
        std::string(static_cast<std::size_t>(i / 3) + 1000, static_cast<char>(0x80 + i)));
  }
  text.Append("\xFF");
  std::string bytes;
  text.AppendTo(bytes);
  const std::string embedded = Embedded(text);
  EXPECT_EQ(embedded, Embedded(std::string_view(bytes)));
  EXPECT_EQ(UndoPassage(embedded), bytes);
  EXPECT_EQ(Embedded(richtext::RichDocText()), "");
  EXPECT_EQ(Embedded(std::string_view("\xC0")), "0JA=");  // U+0410 in UTF-8 is D0 90
}

TEST(PictureVariant, EmbedsIntoTheGivenElement) {
  auto document = xml::Document::CreateName("Examora");
  xml::Element& variant = *document->Root();
  PictureVariantWriter writer;
  writer.Embed(variant, kData + "photo.jpg");
  writer.Embed(variant, kData + "pic.bmp");

  const std::string xml = Serialize(*document);
  const auto first = xml.find("<FormattedText>");
  const auto second = xml.find("<FormattedText>", first + 1);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(ReadFormattedText(ValueOf(xml.substr(first), "FormattedText")).className, "TJPEGImage");
  EXPECT_EQ(ReadFormattedText(ValueOf(xml.substr(second), "FormattedText")).className, "TPngImage");

  EXPECT_THROW(writer.Embed(variant, kData + "missing.png"), FOpenError);
  EXPECT_EQ(Serialize(*document), xml);
}

}  // namespace
}  // namespace texttoxml::conversion
