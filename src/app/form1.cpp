#include "app/form1.h"

#include <exception>
#include <optional>
#include <utility>

#include "app/app_errors.h"
#include "app/display_text.h"
#include "app/window_texts.h"
#include "check/line_map.h"
#include "conversion/task_text.h"
#include "conversion/text.h"
#include "conversion/text_encoding.h"
#include "error.h"
#include "platform/files.h"
#include "platform/platform_errors.h"

namespace texttoxml::app {

namespace {

// The second filter reads UTF-8 and nothing else. The first reads as the
// command line does by default: a file without a byte order mark that is
// UTF-8 holding non-ASCII text (as today's Notepad saves it) is read as
// UTF-8, and every other one as windows-1251, as it always was.
std::u16string ReadTaskFile(const OpenChoice& choice) {
  if (choice.filterIndex == kUtf8FilterIndex) return conversion::LoadTaskText(choice.path, true);
  return RaisingOnOutOfMemory(
      [&] {
        return conversion::DecodeTaskTextAs(platform::ReadWholeFile(choice.path),
                                            conversion::TextEncoding::Auto, choice.path)
            .text;
      },
      [&] { return OutOfMemoryError::ReadingText(choice.path); });
}

// The picture as the text names it: one found in the text's folder is
// shown without that folder.
std::string PictureName(const std::string& path, const std::string& dir) {
  if (dir.empty()) return path;
  const std::string prefix = dir.ends_with('/') ? dir : dir + '/';
  return path.starts_with(prefix) ? path.substr(prefix.size()) : path;
}

// The busy cursor for as long as the document is made and written, taken
// away however that ends, before any error box shows.
class BusyWhile {
 public:
  explicit BusyWhile(WindowPlatform& platform) : platform_(platform) { platform_.SetBusy(true); }
  ~BusyWhile() { platform_.SetBusy(false); }
  BusyWhile(const BusyWhile&) = delete;
  BusyWhile& operator=(const BusyWhile&) = delete;

 private:
  WindowPlatform& platform_;
};

}  // namespace

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

bool Form1::FormCloseQuery() {
  return MayDiscardEdits(kDiscardOnCloseQuestion);
}

void Form1::RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    platform_.ShowError(DisplayText(DisplayMessage(error.what())));
  }
}

bool Form1::MayDiscardEdits(std::u16string_view question) {
  return !platform_.MemoModified() || platform_.Confirm(question);
}

// The file is read whole before anything changes, so that a file that
// cannot be read or decoded leaves the memo, the label, Dir and the title
// of the next save as they were; only the dialog remembers the choice, to
// start there when the user tries again.
void Form1::Open() {
  std::optional<OpenChoice> choice = platform_.ShowOpenDialog(openDialog_);
  if (!choice) return;
  openDialog_ = *choice;
  const std::u16string text = conversion::MemoText(ReadTaskFile(*choice));
  if (!MayDiscardEdits(kDiscardOnOpenQuestion)) return;
  platform_.SetMemoText(text);
  platform_.SetMemoModified(false);
  openedPath_ = choice->path;
  labelCaption_ = std::u16string(kOpenedFileCaption) + u' ' + DisplayText(openedPath_);
  platform_.SetLabelCaption(labelCaption_);
  dir_ = platform::FolderOf(openedPath_);
  saveProposal_ = platform::WithExtension(openedPath_, ".xml");
}

// The normalised text goes back into the memo before the document is built
// and stays there whatever happens next; it is the user's text in another
// layout, so it leaves the memo as modified as it was until the file is
// written.
void Form1::Save() {
  std::u16string text = platform_.MemoText();
  if (conversion::TrimView(text).empty()) return;
  std::optional<std::string> path = platform_.ShowSaveDialog(saveProposal_);
  if (!path) return;
  fileName_ = std::move(*path);
  saveProposal_ = fileName_;
  const bool modified = platform_.MemoModified();
  const BusyWhile busy(platform_);
  platform::FileOutputStream file(fileName_);
  // A converter of its own, so that no failure of an earlier save is taken
  // for this one's.
  conversion::Converter converter;
  try {
    converter.Convert(std::move(text), {dir_, openedPath_}, platform::LocalNow(), file,
                      [&](std::u16string_view normalised) {
                        platform_.SetMemoText(normalised);
                        platform_.SetMemoModified(modified);
                      });
  } catch (const FCreateError&) {
    throw;  // the output file's fault, whatever was being written then
  } catch (const WriteError&) {
    throw;
  } catch (const std::exception& error) {
    if (!converter.FailedPicture()) throw;
    RaisePictureFailure(*converter.FailedPicture(), error.what());
  }
  file.Commit();
  platform_.SetMemoModified(false);
}

// The memo holds the normalised text by now, whose lines are the ones the
// user sees.
void Form1::RaisePictureFailure(const conversion::PictureInProgress& picture,
                                std::string_view cause) {
  const check::LineMap lines(platform_.MemoText());
  throw PictureFailedError(lines.LineOfPreparedLine(picture.preparedLine),
                           PictureName(picture.path, dir_), cause);
}

}  // namespace texttoxml::app
