#include "app/qt/application.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <QUrl>

#include "app/qt/artwork.h"
#include "app/qt/qt_text.h"
#include "app/window_texts.h"

namespace texttoxml::app::gui {

namespace {

const QString kTahoma = QStringLiteral("Tahoma");

// Wine's Tahoma (Debian fonts-wine) has Tahoma's metrics, so the description
// tab's lines, which are cut for Tahoma's widths, stay one line each. It lives
// outside fontconfig's folders, so the program adds it for itself.
constexpr const char* kTahomaCloneFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                             "/usr/share/wine/fonts/tahomabd.ttf"};

QString TahomaOrClone() {
  if (QFontDatabase::hasFamily(kTahoma)) return kTahoma;
  QString family;
  for (const char* file : kTahomaCloneFiles) {
    const QStringList families = QFontDatabase::applicationFontFamilies(
        QFontDatabase::addApplicationFont(QString::fromLatin1(file)));
    if (family.isEmpty() && !families.isEmpty()) family = families.first();
  }
  return family;
}

// Qt's own texts (file dialogs, the overwrite prompt, context menus) in
// Russian like the window's, whatever the system's locale says.
void LoadRussianQtTexts(QApplication& application) {
  const QLocale russian(QLocale::Russian, QLocale::Russia);
  QLocale::setDefault(russian);
  auto* translator = new QTranslator(&application);
  if (translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  }
}

// The program keeps no settings, but Qt's file dialog reads and writes its
// own (history, last folder, view mode) through QSettings. Pointing both
// scopes below a file that is not a folder makes every read find nothing and
// every write fail quietly; the dialogs still remember the last path and
// filter within one run, because the window hands them over.
void KeepNoSettings() {
  const QString nowhere = QStringLiteral("/dev/null");
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
  QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, nowhere);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
  QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, nowhere);
}

}  // namespace

QFont WindowFont() {
  const QString tahoma = TahomaOrClone();
  QFont font(tahoma.isEmpty() ? QStringLiteral("sans-serif") : tahoma, 8);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

void SetUpApplication(QApplication& application) {
  KeepNoSettings();
  LoadRussianQtTexts(application);
  application.setApplicationName(QStringLiteral("texttoxml-gui"));
  application.setApplicationDisplayName(ToQString(kAppTitle));
  application.setDesktopFileName(QStringLiteral("texttoxml-gui"));
  application.setWindowIcon(AppIcon());
  application.setFont(WindowFont());
}

std::string GuideAddress() {
  const QDir programDir(QCoreApplication::applicationDirPath());
  const QString installed =
      QDir::cleanPath(programDir.filePath(QStringLiteral(TEXTTOXML_GUIDE_FROM_BINARY)));
  const QString besideProgram = programDir.filePath(QStringLiteral("guide.html"));
  const QString guide =
      QFileInfo::exists(installed) || !QFileInfo::exists(besideProgram) ? installed : besideProgram;
  return QUrl::fromLocalFile(guide).toString(QUrl::FullyEncoded).toStdString();
}

}  // namespace texttoxml::app::gui
