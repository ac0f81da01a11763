#include "app/qt/memo.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "app/qt/qt_text.h"

namespace texttoxml::app::gui {

Memo::Memo() {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void Memo::SetText(std::u16string_view text) {
  const auto lines = static_cast<qsizetype>(std::count(text.begin(), text.end(), u'\r')) + 1;
  grouped_ = lines >= kMemoGroupedFromLines && BreaksAreCrLfOnly(text);
  setPlainText(MemoTextToWidget(text, grouped_ ? kMemoLinesPerParagraph : 1));
  if (grouped_) CountLinesOfParagraphs(lines);
}

std::u16string Memo::Text() const { return MemoTextFromWidget(document()->toRawText(), grouped_); }

// The layout counts one line for a paragraph until it lays the paragraph
// out, which it does only when the paragraph comes into view; without the
// true counts the scroll bar would cover a sixty-fourth of the text.
void Memo::CountLinesOfParagraphs(qsizetype lines) {
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    block.setLineCount(static_cast<int>(std::min<qsizetype>(lines, kMemoLinesPerParagraph)));
    lines -= kMemoLinesPerParagraph;
  }
  QAbstractTextDocumentLayout* layout = document()->documentLayout();
  emit layout->documentSizeChanged(layout->documentSize());
}

}  // namespace texttoxml::app::gui
