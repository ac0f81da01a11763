// window_open_save TASKS OUTPUT: the program's real window, on whatever Qt
// platform it is given (offscreen in bench/window_compare.sh), opens TASKS
// with the first filter and saves it to OUTPUT, as a user would with the two
// buttons. Only the dialogs are answered by the program; the memo, its
// layout and painting, and the commands are the window's own. Prints the wall
// time of each command, including the events that the window handles after
// it, to standard error.
#include <QApplication>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "app/qt/application.h"
#include "app/qt/main_window.h"
#include "app/qt/scripted_desktop.h"

namespace gui = texttoxml::app::gui;

namespace {

// The scripted dialogs, with an error box that reports instead of waiting
// for a click.
class BenchDesktop : public gui::ScriptedDesktop {
 public:
  using ScriptedDesktop::ScriptedDesktop;
  void ShowError(QWidget*, const QString& message) override {
    std::fprintf(stderr, "window_open_save: %s\n", qPrintable(message));
    failed = true;
  }

  bool failed = false;
};

// Clicks the button and lets the window handle what follows (layout,
// painting), so that the time is what the user waits for.
double SecondsOfClick(QPushButton& button) {
  const auto start = std::chrono::steady_clock::now();
  button.click();
  QApplication::processEvents();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: window_open_save TASKS OUTPUT\n");
    return 2;
  }
  gui::SetUpApplication(application);
  auto desktop = std::make_unique<BenchDesktop>(
      texttoxml::app::OpenChoice{argv[1], texttoxml::app::kAnsiFilterIndex}, argv[2]);
  BenchDesktop& answers = *desktop;
  gui::MainWindow window(gui::GuideAddress(), std::move(desktop));
  window.show();
  QApplication::processEvents();

  const double open = SecondsOfClick(*window.findChild<QPushButton*>(QStringLiteral("bbOpen")));
  const double save = SecondsOfClick(*window.findChild<QPushButton*>(QStringLiteral("bbSave")));
  std::fprintf(stderr, "open %.3f s, save %.3f s\n", open, save);
  return answers.failed ? 1 : 0;
}
