#include "app/qt/application.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QUrl>

#include "app/qt/artwork.h"
#include "app/qt/qt_text.h"
#include "app/window_texts.h"

namespace texttoxml::app::gui {

QFont WindowFont() {
  const QString tahoma = QStringLiteral("Tahoma");
  QFont font(QFontDatabase::hasFamily(tahoma) ? tahoma : QStringLiteral("sans-serif"), 8);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

void SetUpApplication(QApplication& application) {
  application.setApplicationName(QStringLiteral("texttoxml-gui"));
  application.setApplicationDisplayName(ToQString(kAppTitle));
  application.setDesktopFileName(QStringLiteral("texttoxml-gui"));
  application.setWindowIcon(AppIcon());
  application.setFont(WindowFont());
}

std::string GuideAddress() {
  const QDir programDir(QCoreApplication::applicationDirPath());
  const QString installed = QDir::cleanPath(programDir.filePath(QStringLiteral(TEXTTOXML_GUIDE_FROM_BINARY)));
  const QString besideProgram = programDir.filePath(QStringLiteral("guide.html"));
  const QString guide = QFileInfo::exists(installed) || !QFileInfo::exists(besideProgram) ? installed : besideProgram;
  return QUrl::fromLocalFile(guide).toString(QUrl::FullyEncoded).toStdString();
}

}  // namespace texttoxml::app::gui
