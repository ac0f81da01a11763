// Text between the window logic (UTF-16 in std::u16string, UTF-8 paths, CR LF
// line breaks) and Qt (QString, one paragraph per line).
#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

namespace texttoxml::app::gui {

QString ToQString(std::u16string_view text);
std::u16string ToU16String(const QString& text);

// File names as the file system spells them.
QString PathToQString(const std::string& path);
std::string PathFromQString(const QString& path);

// The memo's text for a Qt text document: each CR LF becomes a paragraph
// separator, or a line separator (U+2028) inside each run of
// `linesPerParagraph` lines. `lines` counts the text's lines; with
// `breaksAreCrLfOnly` false the text holds a break of the document's own (a
// lone CR or LF, a line or paragraph separator, a frame mark), which the
// document would take apart from the line breaks the runs are made of.
struct WidgetText {
  QString text;
  qsizetype lines = 1;
  bool breaksAreCrLfOnly = true;
};
WidgetText MemoTextToWidget(std::u16string_view text, int linesPerParagraph = 1);

// Appends a paragraph of a Qt text document to the memo's text; with
// `lineSeparatorsBreak` each line separator in it becomes CR LF. Paragraphs
// are read one by one in their raw form: the plain-text form of the whole
// document turns no-break spaces into spaces, which would change the task
// text, and the raw form would be one more copy of a long text.
void AppendParagraph(QStringView paragraph, bool lineSeparatorsBreak, std::u16string& text);

}  // namespace texttoxml::app::gui
