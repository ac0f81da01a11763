// Start-up settings shared by the program and its screenshot tool.
#pragma once

#include <QFont>
#include <string>

class QApplication;

namespace texttoxml::app::gui {

// Tahoma 8 pt where it is installed, else Wine's Tahoma of the same metrics,
// else the system's sans-serif at 8 pt: the window's sizes are laid out for
// Tahoma's widths.
QFont WindowFont();

// The application's title, desktop file name, icon and font; Qt's own texts in
// Russian; no settings read or written on the program's behalf.
void SetUpApplication(QApplication& application);

// The address of the user guide: the installed copy, or the copy next to the
// program in a build tree.
std::string GuideAddress();

}  // namespace texttoxml::app::gui
