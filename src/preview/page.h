// The preview page: a task text shown the way the test editor will present
// it after import, with the diagnostics at the tasks they concern. One
// self-contained HTML page: pictures are embedded, there are no scripts and
// nothing is requested from outside.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/diagnostics.h"
#include "platform/stream.h"

namespace texttoxml::preview {

// The page of one text, made while the text is read: each task is written
// as the examiner hands it on (Add, as check::DiagnoseOptions::onTask), and
// nothing of it is held after. The page begins with the summary of all
// tasks, so their part waits in a temporary file until WriteTo puts the
// page together. Picture variants are shown as the PNG, JPEG or GIF bytes
// that the conversion stores, question pictures as their files' bytes.
class PreviewPage {
 public:
  // `documentFindings`, sorted by line, are those of a Word document the
  // text was read from (check::DocumentFindings); they are shown at the
  // tasks whose lines they are on, after the examiner's own.
  explicit PreviewPage(std::vector<check::Finding> documentFindings = {});
  ~PreviewPage();
  PreviewPage(const PreviewPage&) = delete;
  PreviewPage& operator=(const PreviewPage&) = delete;

  void Add(const check::TaskReport& report);

  // The picture files the tasks added so far show.
  const std::vector<std::string>& ShownPictures() const;

  // Writes the whole page for the text's diagnosis; `title` names the
  // text, usually by its file name. `readText`, when given, is the task
  // text read from a Word document, shown whole after the summary so that
  // the teacher sees what the document became.
  void WriteTo(const check::Diagnosis& diagnosis, std::u16string_view title,
               std::optional<std::u16string_view> readText, platform::OutputStream& out);

 private:
  class Writer;
  std::unique_ptr<Writer> writer_;
};

}  // namespace texttoxml::preview
