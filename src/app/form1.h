// The main window's logic without any window toolkit, Form1: its state
// between commands and the commands that its buttons, link and banner run.
// The toolkit is reached only through WindowPlatform; the Qt window that
// shows it is app/qt/main_window.h.
#pragma once

#include <functional>
#include <string>

#include "app/window_platform.h"
#include "conversion/convert.h"

namespace texttoxml::app {

class Form1 {
 public:
  // `webAddress` is the one address that the link and the banner open.
  Form1(WindowPlatform& platform, std::string webAddress);

  // The commands. An error that escapes one ends it and shows in the error
  // box; the window goes on.
  void BbOpenClick();  // open a task text file into the memo
  void BbSaveClick();  // save the memo's tasks as an import XML file
  void LinkLabel1LinkClick();
  void Image1Click();

  // Folder of the text file opened last; empty until a file is opened.
  const std::string& Dir() const { return dir_; }
  // Path chosen in the save dialog last; empty until then.
  const std::string& FileName() const { return fileName_; }
  // The open dialog's remembered choice, kept also when the file then fails
  // to load.
  const OpenChoice& OpenDialogChoice() const { return openDialog_; }
  const std::u16string& LabelCaption() const { return labelCaption_; }

 private:
  void RunCommand(const std::function<void()>& command);
  void Open();
  void Save();

  WindowPlatform& platform_;
  const std::string webAddress_;
  std::string dir_;
  std::string fileName_;
  OpenChoice openDialog_;
  std::u16string labelCaption_;
  // What the save command converts with.
  conversion::Converter converter_;
};

}  // namespace texttoxml::app
