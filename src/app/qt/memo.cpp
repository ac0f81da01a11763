#include "app/qt/memo.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>

#include "app/qt/qt_text.h"
#include "conversion/task_text.h"
#include "platform/large_pages.h"

namespace texttoxml::app::gui {

Memo::Memo() {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  connect(document(), &QTextDocument::contentsChange, this, &Memo::CountLines);
}

// Tried in paragraphs of several lines first: the text that is long enough
// for them is the one that must not take a second pass.
void Memo::SetText(std::u16string_view text) {
  WidgetText widget = MemoTextToWidget(text, kMemoLinesPerParagraph);
  grouped_ = widget.breaksAreCrLfOnly && widget.lines >= kMemoGroupedFromLines;
  if (!grouped_) widget = MemoTextToWidget(text);
  setPlainText(widget.text);
}

std::u16string Memo::Text() const {
  const QTextDocument& document = *this->document();
  std::u16string text;
  platform::ReserveOnLargePages(
      text, static_cast<std::size_t>(document.characterCount() + document.lineCount()));
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin()) text += u"\r\n";
    AppendParagraph(block.text(), grouped_, text);
  }
  return conversion::MemoText(std::move(text));
}

// The layout counts one line for a paragraph until it lays the paragraph
// out, which it does only once the paragraph comes into view, and a
// paragraph split by an edit starts with the count of the one it came from;
// without the true counts the scroll bar of a long text would cover a
// small part of it.
void Memo::CountLines(int position, int /*removed*/, int added) {
  if (!grouped_) return;
  const QTextBlock last = document()->findBlock(position + added);
  for (QTextBlock block = document()->findBlock(position); block.isValid(); block = block.next()) {
    block.setLineCount(static_cast<int>(block.text().count(QChar::LineSeparator)) + 1);
    if (block == last) break;
  }
  QAbstractTextDocumentLayout* layout = document()->documentLayout();
  emit layout->documentSizeChanged(layout->documentSize());
}

}  // namespace texttoxml::app::gui
