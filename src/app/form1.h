// The main window's logic without any window toolkit, Form1: its state
// between commands and the commands that its buttons, link and banner run.
// The toolkit is reached only through WindowPlatform; the Qt window that
// shows it is app/qt/main_window.h.
#pragma once

#include <functional>
#include <string>
#include <string_view>

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

  // Asked before the window closes: true when it may, which it may unless
  // the memo holds unsaved edits and the user wants to keep them.
  bool FormCloseQuery();

  // Folder of the text file opened last; empty until a file is opened.
  const std::string& Dir() const { return dir_; }
  // Path chosen in the save dialog last; empty until then.
  const std::string& FileName() const { return fileName_; }
  // The open dialog's remembered choice, kept also when the file then fails
  // to load.
  const OpenChoice& OpenDialogChoice() const { return openDialog_; }
  // The text file opened last, whose name titles the saved group; a file
  // that failed to open does not count. Empty until one is opened.
  const std::string& OpenedPath() const { return openedPath_; }
  const std::u16string& LabelCaption() const { return labelCaption_; }

 private:
  void RunCommand(const std::function<void()>& command);
  void Open();
  void Save();
  // True when the memo holds no unsaved edits or the user answers "Да" to
  // `question`.
  bool MayDiscardEdits(std::u16string_view question);
  // The picture failure that `cause` came from, told with its memo line.
  [[noreturn]] void RaisePictureFailure(const conversion::PictureInProgress& picture,
                                        std::string_view cause);

  WindowPlatform& platform_;
  const std::string webAddress_;
  std::string dir_;
  std::string fileName_;
  OpenChoice openDialog_;
  std::string openedPath_;
  // Where the save dialog starts: the path chosen in it last, or the opened
  // text's name with ".xml" once a text was opened after that.
  std::string saveProposal_;
  std::u16string labelCaption_;
};

}  // namespace texttoxml::app
