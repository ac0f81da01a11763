// Start-up settings shared by the program and its screenshot tool.
#pragma once

#include <QFont>
#include <string>

class QApplication;

namespace texttoxml::app::gui {

// Tahoma 8 pt where it is installed, the system's sans-serif at 8 pt
// otherwise: the window's sizes are laid out for that.
QFont WindowFont();

// The application's title, desktop file name, icon and font.
void SetUpApplication(QApplication& application);

// The address of the user guide: the installed copy, or the copy next to the
// program in a build tree.
std::string GuideAddress();

}  // namespace texttoxml::app::gui
