// The program's one window as Qt widgets: the conversion tab with the
// editable memo and the open and save buttons, the read-only sample and
// description tabs. Only the toolkit side lives here: the commands and their
// state are Form1's (app/form1.h), which this window carries out through Qt
// widgets and a Desktop.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "app/form1.h"
#include "app/qt/desktop.h"

namespace texttoxml::app::gui {

class Memo;
class PathLabel;

inline constexpr int kWindowWidth = 618;
inline constexpr int kWindowHeight = 373;

class MainWindow : public QWidget, private WindowPlatform {
 public:
  // `guideAddress` is what the link and the banner open.
  explicit MainWindow(std::string guideAddress,
                      std::unique_ptr<Desktop> desktop = std::make_unique<Desktop>());

  void CentreOnScreen();

 protected:
  // Closes only when the memo's unsaved edits may go.
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildConversionTab();
  QWidget* BuildSampleTab();
  QWidget* BuildDescriptionTab();

  std::optional<OpenChoice> ShowOpenDialog(const OpenChoice& start) override;
  std::optional<std::string> ShowSaveDialog(const std::string& start) override;
  std::u16string MemoText() const override;
  void SetMemoText(std::u16string_view text) override;
  bool MemoModified() const override;
  void SetMemoModified(bool modified) override;
  void SetLabelCaption(std::u16string_view caption) override;
  void ShowError(std::u16string_view message) override;
  bool Confirm(std::u16string_view question) override;
  void SetBusy(bool busy) override;
  void OpenAddress(std::string_view address) override;

  std::unique_ptr<Desktop> desktop_;
  Form1 form_;
  PathLabel* label1_ = nullptr;
  Memo* memo1_ = nullptr;
};

}  // namespace texttoxml::app::gui
