#include "app/qt/qt_text.h"

#include <QFile>

#include "conversion/task_text.h"

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

QString MemoTextToWidget(std::u16string_view text) {
  QString widgetText = ToQString(text);
  widgetText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return widgetText;
}

std::u16string MemoTextFromWidget(const QString& rawText) {
  QString text = rawText;
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return conversion::MemoText(ToU16String(text));
}

}  // namespace texttoxml::app::gui
