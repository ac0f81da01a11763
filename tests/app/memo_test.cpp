// The conversion tab's memo: the task text in and out exactly, whether the
// memo holds it one paragraph per line or, for a long text, in paragraphs of
// several lines. Runs in gui_tests, whose environment provides the
// application.
#include <gtest/gtest.h>
#include <QScrollBar>
#include <QTextDocument>

#include <string>

#include "app/qt/memo.h"
#include "app/qt/qt_text.h"

namespace texttoxml::app::gui {
namespace {

TEST(MemoText, LineBreaksAreCrLfForTheLogicAndSeparatorsForQt) {
  const WidgetText oneLineEach = MemoTextToWidget(u"a\r\n\r\nb\r\n");
  EXPECT_EQ(oneLineEach.text, ToQString(u"a\u2029\u2029b\u2029"));
  EXPECT_EQ(oneLineEach.lines, 4);
  EXPECT_TRUE(oneLineEach.breaksAreCrLfOnly);
  const WidgetText twoLinesEach = MemoTextToWidget(u"a\r\nb\r\nc\r\nd\r\ne\u00A0", 2);
  EXPECT_EQ(twoLinesEach.text, ToQString(u"a\u2028b\u2029c\u2028d\u2029e\u00A0"));
  EXPECT_EQ(twoLinesEach.lines, 5);
  EXPECT_EQ(MemoTextToWidget(u"no break").text, QStringLiteral("no break"));
  EXPECT_EQ(MemoTextToWidget(u"").lines, 1);

  std::u16string text = u"so far\r\n";
  AppendParagraph(ToQString(u"b\u00A0c\u2028d\u2028"), false, text);
  EXPECT_EQ(text, u"so far\r\nb\u00A0c\u2028d\u2028");
  text.clear();
  AppendParagraph(ToQString(u"\u2028b\u00A0c\u2028\u2028d"), true, text);
  EXPECT_EQ(text, u"\r\nb\u00A0c\r\n\r\nd");
}

TEST(MemoText, BreaksOfTheDocumentsOwnAreFound) {
  for (std::u16string text :
       {u"a\rb", u"a\r", u"a\nb", u"a\u2028b", u"a\u2029b", u"a\uFDD0b", u"a\uFDD1b"}) {
    const WidgetText widget = MemoTextToWidget(u"line\r\n" + text, 2);
    EXPECT_FALSE(widget.breaksAreCrLfOnly) << text.size();
    EXPECT_EQ(widget.text, ToQString(u"line\u2028" + text));
  }
}

// `count` lines "line N" with a no-break space, CR LF between them, the last
// one empty.
std::u16string NumberedLines(int count) {
  std::u16string text;
  for (int line = 1; line < count; ++line) {
    for (char c : std::to_string(line)) text += static_cast<char16_t>(c);
    text += u"\u00A0line\r\n";
  }
  return text;
}

TEST(Memo, AShortTextIsOneParagraphPerLine) {
  Memo memo;
  const std::u16string text = u"Q\u2028still Q\r\n+ a\r\n\r\n";
  memo.SetText(text);
  EXPECT_EQ(memo.document()->blockCount(), 4);
  EXPECT_EQ(memo.Text(), text);
  EXPECT_EQ(memo.toPlainText(), ToQString(u"Q\nstill Q\n+ a\n\n"));

  memo.setPlainText(QStringLiteral("kept") + QChar(0) + QStringLiteral("\ndropped"));
  EXPECT_EQ(memo.Text(), u"kept");
}

TEST(Memo, ALongTextKeepsEveryLineAndTheScrollBarCountsLines) {
  Memo memo;
  memo.resize(300, 200);
  memo.show();
  for (int lines : {kMemoGroupedFromLines, kMemoGroupedFromLines + kMemoLinesPerParagraph + 1}) {
    const std::u16string text = NumberedLines(lines);
    memo.SetText(text);
    EXPECT_EQ(memo.document()->blockCount(),
              (lines + kMemoLinesPerParagraph - 1) / kMemoLinesPerParagraph);
    EXPECT_EQ(memo.document()->lineCount(), lines);
    EXPECT_EQ(memo.Text(), text);
    const QString shown = memo.toPlainText();
    EXPECT_EQ(shown.count(u'\n'), lines - 1);
    EXPECT_TRUE(shown.endsWith(QString::number(lines - 1) + QStringLiteral(" line\n")));

    const int visibleLines = memo.viewport()->height() / memo.fontMetrics().lineSpacing();
    EXPECT_GT(memo.verticalScrollBar()->maximum(), lines - visibleLines - 2);
    EXPECT_LE(memo.verticalScrollBar()->maximum(), lines);
  }
}

TEST(Memo, ALongTextWithALineSeparatorKeepsItAsACharacter) {
  Memo memo;
  const std::u16string text = NumberedLines(kMemoGroupedFromLines) + u"a\u2028b";
  memo.SetText(text);
  EXPECT_EQ(memo.document()->blockCount(), kMemoGroupedFromLines);
  EXPECT_EQ(memo.Text(), text);
}

TEST(Memo, LinesTypedIntoALongTextAreLines) {
  Memo memo;
  memo.SetText(NumberedLines(kMemoGroupedFromLines));
  QTextCursor cursor = memo.textCursor();
  cursor.movePosition(QTextCursor::Start);
  cursor.movePosition(QTextCursor::Down);
  cursor.insertText(QStringLiteral("new\nline "));
  const std::u16string text = memo.Text();
  EXPECT_EQ(text.substr(0, 32), u"1\u00A0line\r\nnew\r\nline 2\u00A0line\r\n3\u00A0line");
  EXPECT_EQ(memo.document()->lineCount(), kMemoGroupedFromLines + 1);
}

}  // namespace
}  // namespace texttoxml::app::gui
