#include "app/qt/qt_text.h"

#include <QFile>

#include "platform/large_pages.h"

namespace texttoxml::app::gui {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string ToU16String(const QString& text) {
  return text.toStdU16String();
}

QString PathToQString(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string PathFromQString(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

namespace {

constexpr char16_t kLineSeparator = u'\u2028';
constexpr char16_t kParagraphSeparator = u'\u2029';

// The breaks that Qt's text document makes paragraphs or lines of.
bool IsDocumentBreak(char16_t c) {
  return c == u'\r' || c == u'\n' || c == kLineSeparator || c == kParagraphSeparator ||
         c == u'\uFDD0' || c == u'\uFDD1';  // the marks of a frame's start and end
}

}  // namespace

// One pass, into room advised for large pages before it is first touched: a
// test bank is millions of characters.
WidgetText MemoTextToWidget(std::u16string_view text, int linesPerParagraph) {
  WidgetText widget{QString(static_cast<qsizetype>(text.size()), Qt::Uninitialized)};
  platform::AdviseLargePages(widget.text.data(), text.size() * sizeof(char16_t));
  char16_t* const begin = reinterpret_cast<char16_t*>(widget.text.data());
  char16_t* out = begin;
  int line = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      ++i;
      ++widget.lines;
      line = (line + 1) % linesPerParagraph;
      *out++ = line == 0 ? kParagraphSeparator : kLineSeparator;
    } else {
      widget.breaksAreCrLfOnly &= !IsDocumentBreak(text[i]);
      *out++ = text[i];
    }
  }
  widget.text.truncate(out - begin);
  return widget;
}

void AppendParagraph(QStringView paragraph, bool lineSeparatorsBreak, std::u16string& text) {
  const std::u16string_view chars(reinterpret_cast<const char16_t*>(paragraph.utf16()),
                                  static_cast<std::size_t>(paragraph.size()));
  std::size_t start = 0;
  for (std::size_t at = lineSeparatorsBreak ? chars.find(kLineSeparator)
                                            : std::u16string_view::npos;
       at != std::u16string_view::npos; at = chars.find(kLineSeparator, start)) {
    text.append(chars.substr(start, at - start)).append(u"\r\n");
    start = at + 1;
  }
  text.append(chars.substr(start));
}

}  // namespace texttoxml::app::gui
