#include "conversion/test_document.h"

#include <gtest/gtest.h>

#include <sstream>

#include "conversion/convert.h"
#include "conversion/task_text.h"
#include "converted.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "platform/utf.h"
#include "test_support.h"

namespace texttoxml::conversion {
namespace {

using texttoxml::testing::DecodeBase64;
using texttoxml::testing::IsGuidText;
using texttoxml::testing::TempDir;

const platform::DateTime kDate{2013, 7, 24, 15, 4, 5, 870};

std::u16string SampleText() {
  std::string bytes =
      texttoxml::testing::ReadFile(std::string(TEXTTOXML_SOURCE_DIR) + "/examples/sample.txt");
  return MemoText(platform::Utf8ToUtf16(bytes.substr(3)).text);  // without the mark
}

std::string Convert(const std::u16string& text, const TextSource& source) {
  return Converted(text, source, kDate);
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines = texttoxml::testing::SplitText(bytes, "\r\n");
  EXPECT_EQ(lines.back(), "") << "the last line must end with CR LF";
  lines.pop_back();
  return lines;
}

// The bytes that an embedded-data value stands for.
std::string UndoPassage(const std::string& base64) {
  return platform::Utf16ToAnsi(platform::Utf8ToUtf16(DecodeBase64(base64)).text);
}

// True when `text` holds a 36-character GUID at `at`.
bool IsGuidAt(const std::string& text, std::size_t at) {
  return at <= text.size() && IsGuidText(std::string_view(text).substr(at, 36));
}

// The FileName values of all QuestionImage elements.
std::vector<std::string> FileNames(const std::string& xml) {
  std::vector<std::string> names;
  const std::string prefix = "<QuestionImage FileName=\"";
  for (auto at = xml.find(prefix); at != std::string::npos; at = xml.find(prefix, at + 1)) {
    auto start = at + prefix.size();
    names.push_back(xml.substr(start, xml.find('"', start) - start));
    EXPECT_TRUE(IsGuidAt(xml, start)) << names.back();
  }
  return names;
}

std::string ValueOf(const std::string& xml, const std::string& element) {
  auto start = xml.find("<" + element);
  start = xml.find('>', start) + 1;
  return xml.substr(start, xml.find("</" + element + ">", start) - start);
}

TEST(TestDocument, SampleTextGivesTheKnownFile) {
  TempDir dir;  // none of the three pictures is there
  std::string xml = Convert(SampleText(), {dir.Path(), dir.File("sample.txt")});
  EXPECT_EQ(xml.size(), 4158u);
  auto lines = Lines(xml);
  ASSERT_EQ(lines.size(), 130u);
  const std::pair<int, std::string> expected[] = {
      {1, "<?xml version=\"1.0\" encoding=\"utf-8\"?>"},
      {2, "<Examora>"},
      {3, "\t<Version Editor=\"Text1ToXML\">11.0</Version>"},
      {4, "\t<SaveDate>2013-07-24T15:04:05Z</SaveDate>"},
      {5, "\t<TestOptions/>"},
      {8, "\t\t\t<Title>sample.txt</Title>"},
      {10, "\t\t\t\t<Task Type=\"TYPE_TASK_CHOICE_SINGLE\">"},
      {12, "\t\t\t\t\t\t<PlainText>Какой месяц идет после марта?</PlainText>"},
      {18, "\t\t\t\t\t\t<VariantText CorrectAnswer=\"True\">"},
      {19, "\t\t\t\t\t\t\t<PlainText>апрель</PlainText>"},
      {54, "\t\t\t\t<Task Type=\"TYPE_TASK_CHOICE_ORDER\">"},
      {59, "\t\t\t\t\t\t<VariantText CorrectAnswer=\"1\">"},
      {62, "\t\t\t\t\t\t<VariantText CorrectAnswer=\"3\">"},
      {84, "\t\t\t\t<Task Type=\"TYPE_TASK_ENTER_NUM\">"},
      {86, "\t\t\t\t\t\t<PlainText>Длина сторон прямоугольника равна 3 и 4 см."},
      {87, "Найдите площадь и периметр прямоугольника.</PlainText>"},
      {90, "\t\t\t\t\t\t<Value Caption=\"площадь:\">12</Value>"},
      {91, "\t\t\t\t\t\t<Value Caption=\"периметр:\">14</Value>"},
      {102, "\t\t\t\t<Task Type=\"TYPE_TASK_ENTER_TEXT\">"},
      {104, "\t\t\t\t\t\t<PlainText>На портрете изображен Александр Сергеевич..."},
      {105, "[Pushkin.jpg]</PlainText>"},
      {108, "\t\t\t\t\t\t<Value>Пушкин</Value>"},
      {127, "\t\t\t</Tasks>"},
      {130, "</Examora>"},
  };
  for (const auto& [number, text] : expected) EXPECT_EQ(lines[number - 1], text) << number;
}

TEST(TestDocument, QuestionPictureIsEmbeddedThroughThePassage) {
  TempDir dir;
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);  // every byte value
  dir.Write("Pushkin.jpg", bytes);
  std::string xml = Convert(u"Кто это?\r\n[Pushkin.jpg]\r\n= Пушкин", {dir.Path(), ""});

  EXPECT_NE(xml.find("<PlainText>Кто это?</PlainText>"), std::string::npos);
  auto names = FileNames(xml);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0].size(), 40u);
  EXPECT_EQ(names[0].substr(36), ".jpg");
  EXPECT_EQ(UndoPassage(ValueOf(xml, "QuestionImage")), bytes);
  // QuestionImage stands between QuestionText and InputText.
  EXPECT_LT(xml.find("</QuestionText>"), xml.find("<QuestionImage"));
  EXPECT_LT(xml.find("</QuestionImage>"), xml.find("<InputText>"));
}

TEST(TestDocument, QuestionPictureNamesAndEmptyFiles) {
  TempDir dir;
  dir.Write("noext", "data");
  dir.Write("empty.png", "");
  std::string xml = Convert(
      u"Q1\r\n[noext]\r\n= 1\r\n\r\nQ2\r\n[noext]\r\n= 2\r\n\r\n"
      u"Q3\r\n@empty.png\r\n= 3",
      {dir.Path(), ""});
  auto names = FileNames(xml);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0].size(), 36u);  // no extension, nothing after the GUID
  EXPECT_NE(names[0], names[1]);    // two uses of one file get two names
  // An empty file embeds nothing, yet its line has left the question.
  EXPECT_NE(xml.find("<PlainText>Q3</PlainText>"), std::string::npos);
  EXPECT_EQ(xml.find("empty.png"), std::string::npos);
}

TEST(TestDocument, ItemsAfterTheTenthAreNotWritten) {
  std::u16string text = u"Pick.";
  for (int i = 1; i <= 10; ++i) text += u"\r\n- wrong" + std::u16string(1, char16_t(u'0' + i % 10));
  text += u"\r\n+ right";
  std::string xml = Convert(text, {});
  EXPECT_NE(xml.find("TYPE_TASK_CHOICE_SINGLE"), std::string::npos);
  EXPECT_EQ(xml.find("CorrectAnswer"), std::string::npos);
  EXPECT_EQ(xml.find("right"), std::string::npos);
  std::size_t variants = 0;
  for (auto at = xml.find("<VariantText"); at != std::string::npos;
       at = xml.find("<VariantText", at + 1))
    ++variants;
  EXPECT_EQ(variants, 10u);
}

TEST(TestDocument, KindsMarksAndCaptions) {
  std::string xml = Convert(
      u"Order.\r\n1. a\r\n7. b\r\n+ c\r\n\r\n"
      u"Enter.\r\n= {} 5\r\n= 6\r\n\r\n"
      u"+ no question\r\n\r\n"
      u"Multi?\r\n+ a\r\n+ b\r\n- c",
      {});
  EXPECT_NE(xml.find("<VariantText CorrectAnswer=\"1\">"), std::string::npos);
  EXPECT_NE(xml.find("<VariantText CorrectAnswer=\"-1\">\r\n\t\t\t\t\t\t\t<PlainText>b"),
            std::string::npos);
  EXPECT_NE(xml.find("<Value Caption=\"\">5</Value>"), std::string::npos);
  EXPECT_NE(xml.find("<Value>6</Value>"), std::string::npos);
  EXPECT_NE(xml.find("\t\t\t\t<Task/>\r\n"), std::string::npos);  // NoTask keeps its place
  EXPECT_NE(xml.find("<Task Type=\"TYPE_TASK_CHOICE_MULTIPLE\">"), std::string::npos);
  EXPECT_NE(xml.find("<Title>Импорт из текстового файла</Title>"), std::string::npos);
}

TEST(TestDocument, SavesTheFileOnlyWhenBuildingSucceeds) {
  TempDir dir;
  std::string output = dir.File("out.xml");
  Converter converter;
  platform::FileOutputStream file(output);
  converter.Convert(u"Q?\r\n= 1", {}, kDate, file);
  file.Commit();
  std::string written = texttoxml::testing::ReadFile(output);
  EXPECT_EQ(written.rfind("<?xml", 0), 0u);
  EXPECT_NE(written.find("<Value>1</Value>"), std::string::npos);
}

}  // namespace
}  // namespace texttoxml::conversion
