// The conversion tab's memo: the task text in and out exactly, whether the
// memo holds it one paragraph per line or, for a long text, in paragraphs of
// several lines. Runs in gui_tests, whose environment provides the
// application.
#include <QScrollBar>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <string>

#include "app/qt/memo.h"
#include "app/qt/qt_text.h"

namespace texttoxml::app::gui {
namespace {


TEST(MemoText, LineBreaksAreCrLfForTheLogicAndSeparatorsForQt) {
  EXPECT_EQ(MemoTextToWidget(u"a\r\n\r\nb\r\n"), ToQString(u"a\u2029\u2029b\u2029"));
  EXPECT_EQ(MemoTextToWidget(u"a\r\nb\r\nc\r\nd\r\ne", 2), ToQString(u"a\u2028b\u2029c\u2028d\u2029e"));
  EXPECT_EQ(MemoTextToWidget(u"no break"), QStringLiteral("no break"));

  const QString raw = ToQString(u"a\u2029b\u00A0c\u2028d") + QChar(0) + QStringLiteral("tail");
  EXPECT_EQ(MemoTextFromWidget(raw), u"a\r\nb\u00A0c\u2028d");
  EXPECT_EQ(MemoTextFromWidget(raw, true), u"a\r\nb\u00A0c\r\nd");
}

TEST(MemoText, OnlyCrLfPairsLeaveTheDocumentsParagraphsToTheMemo) {
  EXPECT_TRUE(BreaksAreCrLfOnly(u"a\r\n\r\nb\u00A0\r\n"));
  EXPECT_TRUE(BreaksAreCrLfOnly(u""));
  for (std::u16string text : {u"a\rb", u"a\r", u"a\nb", u"a\u2028b", u"a\u2029b", u"a\uFDD0b", u"a\uFDD1b"}) {
    EXPECT_FALSE(BreaksAreCrLfOnly(text)) << text.size();
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
}

TEST(Memo, ALongTextKeepsEveryLineAndTheScrollBarCountsLines) {
  Memo memo;
  memo.resize(300, 200);
  memo.show();
  for (int lines : {kMemoGroupedFromLines, kMemoGroupedFromLines + kMemoLinesPerParagraph + 1}) {
    const std::u16string text = NumberedLines(lines);
    memo.SetText(text);
    EXPECT_EQ(memo.document()->blockCount(), (lines + kMemoLinesPerParagraph - 1) / kMemoLinesPerParagraph);
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
