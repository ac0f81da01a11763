// The preview page: a task text shown the way the test editor will present
// it after import, with the diagnostics at the tasks they concern. One
// self-contained HTML page: pictures are embedded, there are no scripts and
// nothing is requested from outside.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/diagnostics.h"
#include "conversion/stored_picture.h"
#include "platform/spooled_output.h"
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
  const std::vector<std::string>& ShownPictures() const { return shownPictures_; }

  // Writes the whole page for the text's diagnosis; `title` names the
  // text, usually by its file name. `readText`, when given, is the task
  // text read from a Word document, shown whole after the summary so that
  // the teacher sees what the document became.
  void WriteTo(const check::Diagnosis& diagnosis, std::u16string_view title,
               std::optional<std::u16string_view> readText, platform::OutputStream& out);

 private:
  using Findings = std::vector<const check::Finding*>;
  struct LineRange {
    std::size_t first;
    std::size_t last;
  };

  void HandOn(platform::OutputStream& to);
  void HandOnWhenFull();
  // Appends a text that may be long, handing it on to `to` in pieces.
  void AppendLongText(std::u16string_view text, platform::OutputStream& to);
  void NotePictures(const conversion::ParsedTask& task);
  Findings TextFindings(const check::Diagnosis& diagnosis) const;
  Findings TaskFindings(const check::TaskReport& report) const;

  void WriteFindings(const Findings& findings);
  void WriteTask(std::size_t number, const check::TaskReport& report);
  void WriteQuestion(const conversion::ParsedTask& task);
  void WritePicture(std::string_view mimeType, std::string_view bytes, std::u16string_view name);
  void WritePlaceholder(std::u16string_view name, std::string_view why);
  void WriteAnswers(const conversion::ParsedTask& task);
  void WriteVariants(const conversion::ParsedTask& task);
  void WriteVariantContent(const conversion::AnswerItem& item, const std::string& path);
  void WriteInputs(const conversion::ParsedTask& task);

  std::vector<check::Finding> documentFindings_;
  std::vector<LineRange> taskLines_;  // the file lines of each task added
  std::vector<std::string> shownPictures_;
  conversion::StoredPictures pictures_;  // each variant picture file loaded once per page
  platform::SpooledOutput tasks_;        // the tasks' part of the page
  std::string out_;                      // what is not yet handed on
};

}  // namespace texttoxml::preview
