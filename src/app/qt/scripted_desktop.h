// A desktop whose file dialogs answer from a script, for the programs that
// drive the window themselves (the screenshot tool, the benchmark). The
// error box and the rest stay the desktop's own.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "app/qt/desktop.h"

namespace texttoxml::app::gui {

class ScriptedDesktop : public Desktop {
 public:
  ScriptedDesktop(OpenChoice open, std::string savePath)
      : open_(std::move(open)), savePath_(std::move(savePath)) {}

  std::optional<OpenChoice> ShowOpenDialog(QWidget*, const OpenChoice&) override { return open_; }
  std::optional<std::string> ShowSaveDialog(QWidget*, const std::string&) override {
    return savePath_;
  }
  void OpenAddress(const QString&) override {}

 private:
  OpenChoice open_;
  std::string savePath_;
};

}  // namespace texttoxml::app::gui
