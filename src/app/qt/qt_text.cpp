#include "app/qt/qt_text.h"

#include <QFile>
#include <algorithm>

#include "platform/large_pages.h"

namespace texttoxml::app::gui {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string ToU16String(const QString& text) { return text.toStdU16String(); }

QString PathToQString(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string PathFromQString(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

namespace {

constexpr char16_t kLineSeparator = u'\u2028';
constexpr char16_t kParagraphSeparator = u'\u2029';

}  // namespace

bool BreaksAreCrLfOnly(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    switch (text[i]) {
      case u'\r':
        if (i + 1 == text.size() || text[i + 1] != u'\n') return false;
        ++i;
        break;
      case u'\n':
      case kLineSeparator:
      case kParagraphSeparator:
      case u'\uFDD0':  // the document's marks of a frame's start and end
      case u'\uFDD1':
        return false;
      default:
        break;
    }
  }
  return true;
}

// Copies the runs between line breaks whole, into room advised for large
// pages before it is first touched: a test bank is millions of characters.
QString MemoTextToWidget(std::u16string_view text, int linesPerParagraph) {
  QString widgetText(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
  platform::AdviseLargePages(widgetText.data(), text.size() * sizeof(char16_t));
  char16_t* out = reinterpret_cast<char16_t*>(widgetText.data());
  char16_t* const begin = out;
  int line = 0;
  std::size_t start = 0;
  for (std::size_t lineBreak = text.find(u"\r\n"); lineBreak != std::u16string_view::npos;
       lineBreak = text.find(u"\r\n", start)) {
    out = std::copy(text.begin() + static_cast<std::ptrdiff_t>(start),
                    text.begin() + static_cast<std::ptrdiff_t>(lineBreak), out);
    line = (line + 1) % linesPerParagraph;
    *out++ = line == 0 ? kParagraphSeparator : kLineSeparator;
    start = lineBreak + 2;
  }
  out = std::copy(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(), out);
  widgetText.truncate(out - begin);
  return widgetText;
}

void AppendParagraph(QStringView paragraph, bool lineSeparatorsBreak, std::u16string& text) {
  const std::u16string_view chars(reinterpret_cast<const char16_t*>(paragraph.utf16()),
                                  static_cast<std::size_t>(paragraph.size()));
  std::size_t start = 0;
  for (std::size_t at = lineSeparatorsBreak ? chars.find(kLineSeparator) : std::u16string_view::npos;
       at != std::u16string_view::npos; at = chars.find(kLineSeparator, start)) {
    text.append(chars.substr(start, at - start)).append(u"\r\n");
    start = at + 1;
  }
  text.append(chars.substr(start));
}

}  // namespace texttoxml::app::gui
