// What the main window's logic needs of a window toolkit. The commands talk
// only to this interface, so that they run (and are tested) without any
// toolkit at all.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace texttoxml::app {

// The two entries of the open dialog's filter, counted from 1.
inline constexpr int kAnsiFilterIndex = 1;
inline constexpr int kUtf8FilterIndex = 2;

// A path chosen in the open dialog with the filter entry it was chosen under.
struct OpenChoice {
  std::string path;  // UTF-8
  int filterIndex = kAnsiFilterIndex;
};

class WindowPlatform {
 public:
  virtual ~WindowPlatform() = default;

  // Modal. Starts from `start` (the path and filter chosen last); gives the
  // user's choice, or nothing when the user cancels.
  virtual std::optional<OpenChoice> ShowOpenDialog(const OpenChoice& start) = 0;

  // Modal. Starts from `start`; adds the extension "xml" to a name typed
  // without one and asks before overwriting a file. Nothing on cancel.
  virtual std::optional<std::string> ShowSaveDialog(const std::string& start) = 0;

  // The editable memo's text, with CR LF line breaks and nothing after a
  // U+0000.
  virtual std::u16string MemoText() const = 0;
  virtual void SetMemoText(std::u16string_view text) = 0;

  // Whether the memo holds edits by the user that nothing has yet taken in
  // (no open or save since). SetMemoText may or may not clear it, as the
  // toolkit does; the logic sets it after every text of its own.
  virtual bool MemoModified() const = 0;
  virtual void SetMemoModified(bool modified) = 0;

  // The caption of the label above the memo; shown at once.
  virtual void SetLabelCaption(std::u16string_view caption) = 0;

  // A modal error box titled with the application's title.
  virtual void ShowError(std::u16string_view message) = 0;

  // A modal question titled like the error box, answered "Да" or "Нет";
  // "Нет" is the default, so that a hasty Enter loses nothing. True for "Да".
  virtual bool Confirm(std::u16string_view question) = 0;

  // Shows that a long piece of work runs, with a busy cursor, until called
  // with false; the window is repainted first, so that a dialog just closed
  // leaves no hole in it meanwhile.
  virtual void SetBusy(bool busy) = 0;

  // Asks the desktop to open an address with its default program; a failure
  // is ignored.
  virtual void OpenAddress(std::string_view address) = 0;
};

}  // namespace texttoxml::app
