#include "app/qt/desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "app/qt/qt_text.h"
#include "app/window_texts.h"

namespace texttoxml::app::gui {

namespace {

// Qt's own dialog rather than the desktop's: it speaks the program's Russian
// and keeps no recent-file lists of its own.
void KeepInProgram(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
}

}  // namespace

std::optional<OpenChoice> Desktop::ShowOpenDialog(QWidget* parent, const OpenChoice& start) {
  const QStringList filters{ToQString(kAnsiFilterName), ToQString(kUtf8FilterName)};
  QFileDialog dialog(parent);
  KeepInProgram(dialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.value(start.filterIndex - 1, filters.first()));
  dialog.setDefaultSuffix(ToQString(kTextExtension));
  if (!start.path.empty()) dialog.selectFile(PathToQString(start.path));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const int filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  return OpenChoice{PathFromQString(dialog.selectedFiles().first()),
                    filterIndex == kUtf8FilterIndex ? kUtf8FilterIndex : kAnsiFilterIndex};
}

// Qt's save dialog asks before overwriting unless told not to, and it offers
// no read-only option to hide.
std::optional<std::string> Desktop::ShowSaveDialog(QWidget* parent, const std::string& start) {
  QFileDialog dialog(parent);
  KeepInProgram(dialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilter(ToQString(kXmlFilterName) + QStringLiteral(" (") + ToQString(kXmlPattern) +
                       QLatin1Char(')'));
  dialog.setDefaultSuffix(ToQString(kXmlExtension));
  dialog.setSizeGripEnabled(true);
  if (!start.empty()) dialog.selectFile(PathToQString(start));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return PathFromQString(dialog.selectedFiles().first());
}

void Desktop::ShowError(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Critical, ToQString(kAppTitle), message, QMessageBox::Ok, parent);
  box.exec();
}

bool Desktop::Confirm(QWidget* parent, const QString& question) {
  QMessageBox box(QMessageBox::Question, ToQString(kAppTitle), question,
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void Desktop::OpenAddress(const QString& address) {
  QDesktopServices::openUrl(QUrl(address));
}

}  // namespace texttoxml::app::gui
