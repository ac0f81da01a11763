// Text between the window logic (UTF-16 in std::u16string, UTF-8 paths, CR LF
// line breaks) and Qt (QString, one paragraph per line).
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace texttoxml::app::gui {

QString ToQString(std::u16string_view text);
std::u16string ToU16String(const QString& text);

// File names as the file system spells them.
QString PathToQString(const std::string& path);
std::string PathFromQString(const QString& path);

// Whether the only breaks that Qt's text document would see in a text are
// its CR LF line breaks: no lone CR or LF, no line or paragraph separator, no
// frame mark.
bool BreaksAreCrLfOnly(std::u16string_view text);

// The memo's text for a Qt text document: each CR LF becomes a paragraph
// separator, or a line separator (U+2028) inside each run of
// `linesPerParagraph` lines.
QString MemoTextToWidget(std::u16string_view text, int linesPerParagraph = 1);

// Appends a paragraph of a Qt text document to the memo's text; with
// `lineSeparatorsBreak` each line separator in it becomes CR LF. Paragraphs
// are read one by one in their raw form: the plain-text form of the whole
// document turns no-break spaces into spaces, which would change the task
// text, and the raw form would be one more copy of a long text.
void AppendParagraph(QStringView paragraph, bool lineSeparatorsBreak, std::u16string& text);

}  // namespace texttoxml::app::gui
