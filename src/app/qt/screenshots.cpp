// texttoxml-gui-screenshots OUTPUT_FOLDER: shows the program's window on the
// display it is given, opens a task file in it, and saves PNG pictures of the
// three tabs and of an error box taken from the screen. The dialogs are
// answered by a script; everything else is the program's own window.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "app/qt/application.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_text.h"
#include "app/window_texts.h"

namespace gui = texttoxml::app::gui;

namespace {

class ScriptedDesktop : public gui::Desktop {
 public:
  ScriptedDesktop(std::string openPath, std::string savePath)
      : openPath_(std::move(openPath)), savePath_(std::move(savePath)) {}

  std::optional<texttoxml::app::OpenChoice> ShowOpenDialog(QWidget*, const texttoxml::app::OpenChoice&) override {
    return texttoxml::app::OpenChoice{openPath_, texttoxml::app::kUtf8FilterIndex};
  }
  std::optional<std::string> ShowSaveDialog(QWidget*, const std::string&) override { return savePath_; }
  void OpenAddress(const QString&) override {}

 private:
  std::string openPath_;
  std::string savePath_;
};

void Pause(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

bool WriteSampleFile(const QString& path) {
  QStringList lines;
  for (std::u16string_view line : texttoxml::app::kSampleLines) lines << gui::ToQString(line);
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(lines.join(QLatin1Char('\n')).toUtf8()) > 0;
}

bool SaveScreen(const QWidget& window, const QDir& folder, const char* name) {
  const QRect frame = window.frameGeometry();
  const QPixmap shot = window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  const QString path = folder.filePath(QLatin1String(name));
  const bool saved = shot.save(path, "PNG");
  std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "cannot write", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: texttoxml-gui-screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  gui::SetUpApplication(application);
  const QDir output(QString::fromLocal8Bit(argv[1]));
  // A fixed folder, so that the label reads the same in every run.
  QDir work(QDir::temp().filePath(QStringLiteral("texttoxml-screenshots")));
  const QString taskFile = work.filePath(QStringLiteral("Задания.txt"));
  if (!work.mkpath(QStringLiteral(".")) || !output.exists() || !WriteSampleFile(taskFile)) {
    std::fprintf(stderr, "texttoxml-gui-screenshots: cannot prepare the files\n");
    return 1;
  }
  // A save into a folder that does not exist fails and shows the error box.
  const QString missingFolder = work.filePath(QStringLiteral("нет такой папки/Задания.xml"));

  gui::MainWindow window(gui::GuideAddress(),
                         std::make_unique<ScriptedDesktop>(gui::PathFromQString(taskFile),
                                                           gui::PathFromQString(missingFolder)));
  window.CentreOnScreen();
  window.show();
  Pause(800);
  window.findChild<QPushButton*>(QStringLiteral("bbOpen"))->click();

  auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
  bool saved = true;
  const char* const tabShots[] = {"conversion.png", "sample.png", "description.png"};
  for (int tab = 0; tab < 3; ++tab) {
    pages->setCurrentIndex(tab);
    Pause(400);
    saved = SaveScreen(window, output, tabShots[tab]) && saved;
  }

  pages->setCurrentIndex(0);
  QTimer::singleShot(800, &window, [&] {
    saved = SaveScreen(window, output, "error.png") && saved;
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  window.findChild<QPushButton*>(QStringLiteral("bbSave"))->click();
  work.removeRecursively();
  return saved ? 0 : 1;
}
