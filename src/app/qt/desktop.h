// The parts of the desktop that the window hands over to: the modal file
// dialogs, the error box, the yes-or-no question and the desktop's "open
// this address" action. Each is virtual so that a test can put its own in
// place of a modal dialog.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "app/window_platform.h"

class QWidget;

namespace texttoxml::app::gui {

class Desktop {
 public:
  virtual ~Desktop() = default;

  virtual std::optional<OpenChoice> ShowOpenDialog(QWidget* parent, const OpenChoice& start);
  virtual std::optional<std::string> ShowSaveDialog(QWidget* parent, const std::string& start);
  virtual void ShowError(QWidget* parent, const QString& message);
  // "Да" or "Нет", "Нет" the default; true for "Да".
  virtual bool Confirm(QWidget* parent, const QString& question);
  virtual void OpenAddress(const QString& address);
};

}  // namespace texttoxml::app::gui
