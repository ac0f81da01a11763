// texttoxml-gui-screenshots OUTPUT_FOLDER: shows the program's window on the
// display it is given, opens a task file from a folder deep enough for the
// label to shorten its path, and saves PNG pictures taken from the screen:
// the three tabs, an error box, the open dialog, and the save dialog's
// prompt before it overwrites a file. The window's own commands get their
// dialogs' answers from a script; the two dialog pictures show the program's
// real dialogs.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>

#include "app/qt/application.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_text.h"
#include "app/qt/scripted_desktop.h"
#include "app/window_texts.h"

namespace gui = texttoxml::app::gui;

namespace {

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

// The part of the screen that the window and every window open over it
// cover.
bool SaveScreen(const QWidget& window, const QDir& folder, const char* name) {
  QRect frame;
  for (const QWidget* shown : QApplication::topLevelWidgets()) {
    if (shown->isVisible()) frame |= shown->frameGeometry();
  }
  const QPixmap shot =
      window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  const QString path = folder.filePath(QLatin1String(name));
  const bool saved = shot.save(path, "PNG");
  std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "cannot write",
               qPrintable(path));
  return saved;
}

// Runs `then` on the modal dialog on top once it has had time to show.
void OnNextModal(std::function<void(QWidget&)> then) {
  QTimer::singleShot(800, [then = std::move(then)] {
    if (QWidget* modal = QApplication::activeModalWidget()) then(*modal);
  });
}

// The real open dialog, started from the task file, and the real save
// dialog's prompt when the name typed in it is that of a file that exists.
bool SaveDialogShots(QWidget& window, const QDir& output, const QString& taskFile,
                     const QString& xmlFile) {
  gui::Desktop desktop;
  bool saved = true;
  OnNextModal([&](QWidget& dialog) {
    saved = SaveScreen(window, output, "open-dialog.png") && saved;
    dialog.close();
  });
  desktop.ShowOpenDialog(&window,
                         {gui::PathFromQString(taskFile), texttoxml::app::kAnsiFilterIndex});

  OnNextModal([&](QWidget& dialog) {
    auto& fileDialog = static_cast<QFileDialog&>(dialog);
    OnNextModal([&](QWidget& prompt) {
      saved = SaveScreen(window, output, "overwrite-prompt.png") && saved;
      static_cast<QMessageBox&>(prompt).button(QMessageBox::No)->click();
    });
    fileDialog.selectFile(QFileInfo(xmlFile).completeBaseName());
    static_cast<QDialog&>(fileDialog).accept();  // asks, and stays open on "No"
    fileDialog.reject();
  });
  desktop.ShowSaveDialog(&window, gui::PathFromQString(xmlFile));
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
  // A fixed folder, so that the label reads the same in every run, and deep
  // enough that the label has to shorten the path.
  QDir work(QDir::temp().filePath(QStringLiteral("texttoxml-screenshots")));
  const QDir taskFolder(
      work.filePath(QStringLiteral("Школа №5/2024-2025 учебный год/Информатика/9 класс/"
                                   "Контрольные работы/Вторая четверть")));
  const QString taskFile = taskFolder.filePath(QStringLiteral("Контрольная работа №2.txt"));
  // The name that the save dialog's prompt is about.
  const QString xmlFile = taskFolder.filePath(QStringLiteral("Контрольная работа №2.xml"));
  if (!taskFolder.mkpath(QStringLiteral(".")) || !output.exists() || !WriteSampleFile(taskFile) ||
      !WriteSampleFile(xmlFile)) {
    std::fprintf(stderr, "texttoxml-gui-screenshots: cannot prepare the files\n");
    return 1;
  }
  // A save into a folder that does not exist fails and shows the error box.
  const QString missingFolder = work.filePath(QStringLiteral("нет такой папки/Задания.xml"));

  gui::MainWindow window(gui::GuideAddress(),
                         std::make_unique<gui::ScriptedDesktop>(
                             texttoxml::app::OpenChoice{gui::PathFromQString(taskFile),
                                                        texttoxml::app::kUtf8FilterIndex},
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
  saved = SaveDialogShots(window, output, taskFile, xmlFile) && saved;
  work.removeRecursively();
  return saved ? 0 : 1;
}
