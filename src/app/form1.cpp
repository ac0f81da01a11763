#include "app/form1.h"

#include <exception>
#include <optional>
#include <utility>

#include "app/display_text.h"
#include "app/window_texts.h"
#include "conversion/task_text.h"
#include "conversion/text.h"
#include "error.h"
#include "platform/files.h"

namespace texttoxml::app {

Form1::Form1(WindowPlatform& platform, std::string webAddress)
    : platform_(platform), webAddress_(std::move(webAddress)), labelCaption_(kOpenedFileCaption) {}

void Form1::BbOpenClick() {
  RunCommand([this] { Open(); });
}

void Form1::BbSaveClick() {
  RunCommand([this] { Save(); });
}

void Form1::LinkLabel1LinkClick() {
  platform_.OpenAddress(webAddress_);
}

void Form1::Image1Click() {
  platform_.OpenAddress(webAddress_);
}

void Form1::RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    platform_.ShowError(DisplayText(DisplayMessage(error.what())));
  }
}

// The memo is emptied before the file is read, so a file that fails to load
// leaves an empty memo; the label and Dir change only once the text is in.
void Form1::Open() {
  std::optional<OpenChoice> choice = platform_.ShowOpenDialog(openDialog_);
  if (!choice) return;
  openDialog_ = *choice;
  platform_.SetMemoText(u"");
  const bool utf8 = choice->filterIndex == kUtf8FilterIndex;
  platform_.SetMemoText(conversion::MemoText(conversion::LoadTaskText(choice->path, utf8)));
  labelCaption_ = std::u16string(kOpenedFileCaption) + u' ' + DisplayText(choice->path);
  platform_.SetLabelCaption(labelCaption_);
  dir_ = platform::FolderOf(choice->path);
}

// The normalised text goes back into the memo before the document is built
// and stays there whatever happens next.
void Form1::Save() {
  std::u16string text = platform_.MemoText();
  if (conversion::TrimView(text).empty()) return;
  std::optional<std::string> path = platform_.ShowSaveDialog(fileName_);
  if (!path) return;
  fileName_ = std::move(*path);
  platform::FileOutputStream file(fileName_);
  converter_.Convert(std::move(text), {dir_, openDialog_.path}, platform::LocalNow(), file,
                     [this](std::u16string_view normalised) { platform_.SetMemoText(normalised); });
  file.Commit();
}

}  // namespace texttoxml::app
