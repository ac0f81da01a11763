#include "conversion/foreign_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "test_support.h"

namespace texttoxml::conversion {
namespace {

const std::string kPictures = std::string(TEXTTOXML_TEST_DATA) + "/pictures/";

std::string RefusalOf(std::string_view bytes) {
  try {
    RefuseForeignFile(bytes);
  } catch (const NotATaskTextError& error) {
    return error.what();
  }
  return "taken";
}

std::string PictureRefusal(std::string_view kind) {
  return "This is a picture (" + std::string(kind) +
         "), not a task text: convert the task text (.txt) or Word document (.docx) that names "
         "it, with the picture beside it";
}

TEST(ForeignFile, RefusesDocumentsThatAreNoTaskText) {
  EXPECT_EQ(RefusalOf("{\\rtf1\\ansi\\deff0 {\\fonttbl}\\par Question?\\par + yes}"),
            "This is a rich text file (RTF), not a plain task text: open it in Word or WordPad, "
            "save it as a Word document (.docx) or as plain text (.txt), and convert that file");
  const std::string pdf =
      "This is a PDF document, not a task text: convert the Word document or text file it was "
      "made from, or copy its tasks into a plain text file (.txt)";
  EXPECT_EQ(RefusalOf("%PDF-1.7\n%\xE2\xE3\xCF\xD3\n1 0 obj"), pdf);
  EXPECT_EQ(RefusalOf(std::string(100, ' ') + "%PDF-1.4\n"), pdf);  // garbage before the header
}

TEST(ForeignFile, RefusesPicturesOfEveryCommonKind) {
  const std::pair<const char*, const char*> files[] = {
      {"pngsuite/basi0g01.png", "PNG"},  {"kinds/colour.jpg", "JPEG"},
      {"gif/twocolor.gif", "GIF"},       {"bmpsuite/g/pal8.bmp", "BMP"},
      {"bmpsuite/g/pal8os2.bmp", "BMP"}, {"kinds/quarters.tif", "TIFF"},
      {"kinds/icon.ico", "ICO"}};
  for (const auto& [file, kind] : files) {
    EXPECT_EQ(RefusalOf(testing::ReadFile(kPictures + file)), PictureRefusal(kind)) << file;
  }
  std::string emf(44, '\0');
  emf[0] = 1;
  emf.replace(40, 4, " EMF");
  EXPECT_EQ(RefusalOf(emf), PictureRefusal("EMF"));
  EXPECT_EQ(RefusalOf("\xD7\xCD\xC6\x9A" + std::string(18, '\0')), PictureRefusal("WMF"));
  EXPECT_EQ(RefusalOf(std::string("RIFF\x24\0\0\0WEBPVP8 ", 16)), PictureRefusal("WebP"));
}

TEST(ForeignFile, TakesTextsThatOnlyStartLikeAForeignFile) {
  for (std::string_view text : {"BMW - a car?\r\n+ yes\r\n- no", "GIF - a picture format?\r\n+ yes",
                                "RIFF is a container?\r\n+ yes", "{\\rt is no RTF}\r\n+ yes",
                                "Which is the PDF header?\r\n= %PDF", "II* - a marker?\r\n+ no"}) {
    EXPECT_EQ(RefusalOf(text), "taken") << text;
  }
  EXPECT_EQ(RefusalOf(std::string(1024, ' ') + "%PDF-1.4"), "taken");  // past the header's reach
  EXPECT_EQ(RefusalOf(""), "taken");
}

std::u16string Binary(std::size_t size) {
  std::u16string text;
  std::uint32_t state = 12345;
  for (std::size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    text += static_cast<char16_t>((state >> 16) & 0xFF);
  }
  return text;
}

TEST(ForeignFile, RefusesTextsFullOfControlCharacters) {
  const std::u16string binary = Binary(4096);
  try {
    RefuseBinaryText(binary);
    ADD_FAILURE() << "a binary file taken as a text";
  } catch (const NotATaskTextError& error) {
    EXPECT_EQ(std::string(error.what()).find("This is not a task text: "), 0u) << error.what();
    EXPECT_NE(std::string(error.what())
                  .find(" of its 4096 characters are control characters, as "
                        "in a program or a data file; choose the task text "
                        "(.txt) or Word document (.docx) instead"),
              std::string::npos)
        << error.what();
  }
  // Four in 128 characters are too many; three, or four in 129, are stray ones.
  std::u16string text(124, u'x');
  text += u"\x03\x01\x02\x1B";
  EXPECT_THROW(RefuseBinaryText(text), NotATaskTextError);
  EXPECT_NO_THROW(RefuseBinaryText(text + u"y"));
  EXPECT_NO_THROW(RefuseBinaryText(text.substr(0, 127)));
  // Tabs and line breaks are text; U+0000 ends a text rather than spoiling it.
  EXPECT_NO_THROW(RefuseBinaryText(u"Q?\t\r\n+\ta\r\n-\tb\r\n\r\n\r\n\r\n\t\t"));
  EXPECT_NO_THROW(RefuseBinaryText(std::u16string(u"Q\0?\0\r\0\n\0=\0 \0001\0", 14)));
}

}  // namespace
}  // namespace texttoxml::conversion
