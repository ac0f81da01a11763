// texttoxml-gui: the desktop window that turns a task text file into an
// ExamoraPro import XML file.
#include <QApplication>

#include "app/qt/application.h"
#include "app/qt/main_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  texttoxml::app::gui::SetUpApplication(application);
  texttoxml::app::gui::MainWindow window(texttoxml::app::gui::GuideAddress());
  window.CentreOnScreen();
  window.show();
  return application.exec();
}
