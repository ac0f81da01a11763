// The test document builder: task blocks to the editor's import document.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/picture_variant.h"
#include "conversion/task_parser.h"
#include "conversion/task_pass.h"
#include "platform/clock.h"
#include "platform/stream.h"
#include "xml/document.h"

namespace texttoxml::conversion {

// The group title when no text file was opened.
inline constexpr std::u16string_view kDefaultGroupTitle = u"Импорт из текстового файла";

// Where the task text came from.
struct TextSource {
  std::string dir;         // folder of the opened text file; empty when none
  std::string openedPath;  // path last chosen in the open dialog; may be empty
};

// A new random GUID as 36 upper-case characters with hyphens.
std::string NewGuidName();

// The picture that a Build was embedding when it failed.
struct PictureInProgress {
  std::size_t block = 0;               // index among the blocks
  std::optional<std::size_t> variant;  // none for the question picture
  std::string path;
  std::size_t preparedLine = 0;  // the line naming it, from 0 over all blocks' lines
};

class TestDocumentBuilder {
 public:
  // Builds the import document of the blocks, with `saveDate` as SaveDate.
  std::unique_ptr<xml::Document> Build(std::span<const std::u16string_view> blocks,
                                       const TextSource& source,
                                       const platform::DateTime& saveDate);

  // Writes the bytes that Build's document saves to `out`, each Task
  // element written and released before the next block is parsed, so that
  // memory does not grow with the number of tasks. Each parsed block is
  // shown to `observer`, when there is one, before its task is written; after
  // a failure the blocks not yet read are still shown to it. Raises on the
  // first failure, with part of the bytes handed to `out`.
  void Write(std::span<const std::u16string_view> blocks, const TextSource& source,
             const platform::DateTime& saveDate, platform::OutputStream& out,
             TaskObserver* observer = nullptr);

  // Fills one Task element from a parsed task.
  void WriteTaskElement(xml::Element& task, const ParsedTask& parsed);

  // The picture files that the last Build embedded (or tried to), in text
  // order; a caller can make sure not to write over one of them.
  const std::vector<std::string>& PicturePaths() const { return picturePaths_; }

  // After a Build that raised: the picture it failed on, if it was one.
  const std::optional<PictureInProgress>& FailedPicture() const { return picture_; }

 private:
  // Parses each block into the Task element that `newTask` makes, then
  // calls `taskDone`.
  void AddTasks(std::span<const std::u16string_view> blocks, const TextSource& source,
                TaskObserver* observer, const std::function<xml::Element&()>& newTask,
                const std::function<void()>& taskDone);

  std::vector<std::string> picturePaths_;
  std::optional<PictureInProgress> picture_;
  std::size_t block_ = 0;
  // Whether each Task element is written before the next block is parsed
  // (Write), or kept in the document (Build).
  bool writesEachTask_ = false;
  // Embeds the picture variants of one Build, each file once.
  PictureVariantWriter pictureVariants_;
};

}  // namespace texttoxml::conversion
