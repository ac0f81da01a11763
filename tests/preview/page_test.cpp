#include "preview/page.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "conversion/stored_picture.h"
#include "preview/html_text.h"
#include "preview/preview_support.h"
#include "test_support.h"
#include "xml/base64.h"

namespace texttoxml::preview {
namespace {

using namespace std::string_literals;
using namespace check;
using namespace conversion;
using texttoxml::testing::PreviewOf;
using texttoxml::testing::ReadFile;
using texttoxml::testing::TempDir;

const std::string kExamples = std::string(TEXTTOXML_SOURCE_DIR) + "/examples";

std::string Page(std::u16string_view text, const std::string& dir = "") {
  return PreviewOf(text, dir, u"tasks.txt");
}

std::size_t Occurrences(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

// The markup of the n-th task (from 1).
std::string TaskMarkup(const std::string& page, int number) {
  const auto id = page.find("id=\"task-" + std::to_string(number) + "\"");
  if (id == std::string::npos) return "";
  const auto begin = page.rfind("<article", id);
  return page.substr(begin, page.find("</article>", begin) - begin);
}

TEST(HtmlText, EscapesMarkupAndShowsControlCharacters) {
  std::string out;
  AppendHtml(out, u"a<b>&\"'\r\nc\rd\ne\tf\u0001g\uFFFF\u0085");
  EXPECT_EQ(out, "a&lt;b&gt;&amp;&quot;&#39;\nc\nd\ne\tf[U+0001]g[U+FFFF][U+0085]");

  out.clear();
  AppendHtml(out, std::string_view("<\"Привет\">\x1B"));
  EXPECT_EQ(out, "&lt;&quot;Привет&quot;&gt;[U+001B]");

  EXPECT_EQ(DataAddress("image/png", "abc"), "data:image/png;base64,YWJj");
}

TEST(Preview, ShowsEachTaskAsTheEditorWould) {
  std::u16string text =
      u"Месяц?\n- январь\n+ апрель\n\n"                              // task 1
      u"Весна?\n+ май\n- август\n+ март\n\n"                         // task 2
      u"Порядок:\n2. b\n1. a\n7. c\n\n"                              // task 3
      u"Стороны 3 и 4.\nПлощадь?\n= {площадь:} 12\n= {} 7\n= 5\n\n"  // task 4
      u"Без ответа\n\n"                                              // task 5
      u"Много:\n+ 1";
  for (int i = 2; i <= 11; ++i)
    text += u"\n- " + std::u16string(1, static_cast<char16_t>(u'a' + i));
  const std::string page = Page(text);

  EXPECT_EQ(Occurrences(page, "<article"), 6u);
  EXPECT_NE(page.find("<h1>tasks.txt</h1>"), std::string::npos);
  EXPECT_NE(
      page.find(
          "6 tasks (2 single choice, 1 multiple choice, 1 ordering, 1 number entry, 1 not a task)"),
      std::string::npos);

  const std::string single = TaskMarkup(page, 1);
  EXPECT_NE(single.find("class=\"task single-choice\""), std::string::npos);
  EXPECT_NE(
      single.find(
          "<li class=\"correct\"><span class=\"mark\">\u2713</span><span class=\"text\">апрель"),
      std::string::npos);
  EXPECT_NE(single.find("<li><span class=\"mark\"></span><span class=\"text\">январь"),
            std::string::npos);
  EXPECT_NE(single.find("lines 1\u20133"), std::string::npos);
  EXPECT_EQ(Occurrences(TaskMarkup(page, 2), "class=\"correct\""), 2u);

  const std::string order = TaskMarkup(page, 3);
  EXPECT_NE(order.find("<span class=\"position\">2</span><span class=\"text\">b"),
            std::string::npos);
  EXPECT_NE(order.find("<span class=\"position invalid\">-1</span><span class=\"text\">c"),
            std::string::npos);
  EXPECT_NE(order.find("position 7 is beyond"), std::string::npos);  // the warning, inline

  const std::string enter = TaskMarkup(page, 4);
  EXPECT_NE(enter.find("<p class=\"question\">Стороны 3 и 4.\nПлощадь?</p>"), std::string::npos);
  EXPECT_NE(enter.find("<span class=\"caption\">площадь:</span><span class=\"field\">12</span>"),
            std::string::npos);
  EXPECT_NE(enter.find("<span class=\"caption\"></span><span class=\"field\">7</span>"),
            std::string::npos);
  EXPECT_NE(enter.find("<div class=\"input\"><span class=\"field\">5</span>"), std::string::npos);

  const std::string none = TaskMarkup(page, 5);
  EXPECT_NE(none.find("<pre class=\"block\">Без ответа</pre>"), std::string::npos);
  EXPECT_NE(none.find("not a task: no line starts"), std::string::npos);

  const std::string many = TaskMarkup(page, 6);
  EXPECT_EQ(Occurrences(many, "<li class=\"dropped\">"), 1u);
  EXPECT_NE(many.find("<span class=\"text\">l</span><span class=\"tag\">not written</span>"),
            std::string::npos);
}

TEST(Preview, EscapesEverythingTheAuthorWrote) {
  const std::string page = PreviewOf(
      u"<script>alert('x')</script> & \"q\"?\n+ <img src=x onerror=y>\n- [<b>.png]\n\n"
      u"<i>без ответа</i>",
      "", u"<title>.txt");
  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_EQ(page.find("<img src=x"), std::string::npos);
  EXPECT_EQ(page.find("<i>"), std::string::npos);
  EXPECT_EQ(page.find("<title><title>"), std::string::npos);
  EXPECT_NE(page.find("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; &quot;q&quot;?"),
            std::string::npos);
  EXPECT_NE(page.find("picture &quot;&lt;b&gt;.png&quot; not found"), std::string::npos);
  EXPECT_NE(page.find("<title>Preview: &lt;title&gt;.txt</title>"), std::string::npos);
}

TEST(Preview, EmbedsPicturesAndNeedsNothingFromOutside) {
  TempDir dir;
  std::filesystem::copy_file(kExamples + "/formula1.png", dir.File("f.png"));
  std::filesystem::copy_file(kExamples + "/Pushkin.jpg", dir.File("p.jpg"));
  dir.Write("data.bin", "\x01\x02 not a picture");
  dir.Write("broken.gif", "GIF89a but nothing more");
  const std::string page = Page(
      u"Кто?\n[p.jpg]\n= Пушкин\n\n"
      u"Что?\n[data.bin]\n= x\n\n"
      u"Формула?\n+[f.png]\n-[broken.gif]\n-[missing.png]",
      dir.Path());

  const std::string jpeg = ReadFile(dir.File("p.jpg"));
  EXPECT_NE(page.find("<img alt=\"p.jpg\" src=\"data:image/jpeg;base64," + xml::EncodeBase64(jpeg) +
                      "\">"),
            std::string::npos);
  const StoredPicture png = LoadStoredPicture(dir.File("f.png"));
  EXPECT_EQ(png.className, "TPngImage");
  EXPECT_NE(page.find("<img alt=\"f.png\" src=\"data:image/png;base64," +
                      xml::EncodeBase64(png.bytes) + "\">"),
            std::string::npos);
  EXPECT_NE(TaskMarkup(page, 2).find(
                "<span class=\"placeholder\">&quot;data.bin&quot;: this kind of picture"),
            std::string::npos);
  EXPECT_NE(TaskMarkup(page, 3).find("<span class=\"placeholder\">&quot;broken.gif&quot;: "),
            std::string::npos);
  EXPECT_NE(TaskMarkup(page, 3).find("<span class=\"text\">[missing.png]</span>"),
            std::string::npos);
  EXPECT_EQ(Occurrences(page, "<img "), 2u);

  // Nothing leaves the page: every address is a data: one, and the policy
  // forbids everything else.
  EXPECT_EQ(Occurrences(page, "src=\""), Occurrences(page, "src=\"data:"));
  EXPECT_EQ(page.find("href="), std::string::npos);
  EXPECT_EQ(page.find("http:"), std::string::npos);
  EXPECT_EQ(page.find("https:"), std::string::npos);
  EXPECT_EQ(page.find("url("), std::string::npos);
  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_NE(page.find("content=\"default-src 'none'; img-src data:; style-src 'unsafe-inline'\""),
            std::string::npos);
}

TEST(Preview, PutsFindingsAtTheirTasks) {
  const std::string page = Page(u"Q1?\n- a\n\nQ2?\n+ b\n\0rest"s);
  const auto firstTask = page.find("<article");
  const auto cut = page.find("cuts the text here");
  ASSERT_NE(cut, std::string::npos);
  // The U+0000 stands on line 6, after the last task's lines: the text's own finding.
  EXPECT_LT(cut, firstTask);
  EXPECT_NE(page.find("<li class=\"warning\"><span class=\"where\">line 6</span>"),
            std::string::npos);
  EXPECT_NE(TaskMarkup(page, 1).find("<span class=\"where\">line 2</span><span class=\"severity\">"
                                     "warning:</span>no answer is marked"),
            std::string::npos);
  EXPECT_EQ(TaskMarkup(page, 2).find("class=\"findings\""), std::string::npos);

  // A U+0000 after text on the last task's line is found before the tasks
  // are read, and shown at that task, before the task's own finding there.
  const std::string inside = Page(u"Q1?\n- a\0rest"s);
  const std::string task = TaskMarkup(inside, 1);
  const auto cutInside = task.find("cuts the text here");
  ASSERT_NE(cutInside, std::string::npos) << inside;
  EXPECT_LT(cutInside, task.find("no answer is marked"));
  EXPECT_EQ(Occurrences(inside, "cuts the text here"), 1u);
}

// The page is handed on in pieces: a piece that ended between the halves
// of a surrogate pair or of a CR LF would show two wrong characters, or
// two line breaks. The first line's CR LF stands where the first piece of
// a long question ends (64 Ki units).
TEST(Preview, ShowsALongQuestionAsItDoesAShortOne) {
  const std::u16string first = std::u16string(65534, u'x') + u".";
  const std::string crLf = Page(first + u"\nSecond?\n+ a");
  EXPECT_NE(crLf.find(std::string(65534, 'x') + ".\nSecond?</p>"), std::string::npos);

  const std::u16string pair = std::u16string(65535, u'x') + u"\U0001F600 end?";
  const std::string smile = Page(pair + u"\n+ a");
  EXPECT_NE(smile.find(std::string(65535, 'x') + "\xF0\x9F\x98\x80 end?</p>"), std::string::npos);
}

// Pictures the conversion takes without embedding them as they are: the page
// says what the XML holds instead.
TEST(Preview, SaysWhatTheXmlHoldsForPicturesItCannotShow) {
  TempDir dir;
  dir.Write("empty.png", "");
  dir.Write("frameless.gif", std::string("GIF89a\x01\0\x01\0\0\0\0\x3B", 14));
  const std::string page = Page(u"Q?\n[empty.png]\n+[frameless.gif]\n- b", dir.Path());
  EXPECT_NE(page.find("&quot;empty.png&quot;: the file is empty: no picture is embedded"),
            std::string::npos);
  EXPECT_EQ(page.find("is embedded but cannot be shown here"), std::string::npos);
  EXPECT_NE(page.find("&quot;frameless.gif&quot;: Cannot save empty GIF: the conversion succeeds "
                      "but stores the 32 x 32 invalid picture instead of this one"),
            std::string::npos);
  EXPECT_EQ(page.find("converting will fail"), std::string::npos);
}

// The browser may show what the test editor cannot: the task says so.
TEST(Preview, SaysAtTheTaskWhenTheEditorCannotShowItsQuestionPicture) {
  TempDir dir;
  const std::string jpeg = ReadFile(kExamples + "/Pushkin.jpg");
  dir.Write("cut.jpg", jpeg.substr(0, jpeg.size() / 2));
  dir.Write("cat.webp", std::string("RIFF\x1A\0\0\0WEBPVP8L", 16));
  const std::string page =
      Page(u"Q?\n[cut.jpg]\n= a\n\nR?\n[cat.webp]\n= b\n\nS?\n= c", dir.Path());
  EXPECT_NE(TaskMarkup(page, 1).find("&quot;cut.jpg&quot; is not a complete JPEG picture"),
            std::string::npos);
  EXPECT_NE(TaskMarkup(page, 2).find("holds a picture of the kind WebP, which the test editor "
                                     "does not show"),
            std::string::npos);
  EXPECT_EQ(TaskMarkup(page, 3).find("picture"), std::string::npos);
}

}  // namespace
}  // namespace texttoxml::preview
