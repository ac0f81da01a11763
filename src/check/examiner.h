// The checks of `check`, run on each task as the conversion reads it: the
// one pass of a conversion (or of a check alone) shows every parsed block to
// the examiner, which places its findings on the lines of the file as read.
#pragma once

#include <string>
#include <string_view>

#include "check/diagnostics.h"
#include "check/line_map.h"
#include "conversion/stored_picture.h"
#include "conversion/task_pass.h"

namespace texttoxml::check {

class Examiner final : public conversion::TaskObserver {
 public:
  // `decoded` is the text as read, before the memo cuts it at a U+0000, and
  // `lines` its line map, which must outlive the examiner; `dir` is the
  // text's folder.
  Examiner(std::u16string_view decoded, const LineMap& lines, std::string dir,
           const DiagnoseOptions& options);

  void Observe(const conversion::TaskInText& task) override;

  // The text holds nothing to convert.
  void NoteBlank();

  // The findings so far, sorted by line, with the counts.
  Diagnosis Finish();

 private:
  // Hands the block on to DiagnoseOptions::onTask, with the findings from
  // `ownFindings` on, which are its own.
  void Report(const conversion::TaskInText& task, std::size_t ownFindings);

  const LineMap& lineMap_;
  std::string dir_;
  DiagnoseOptions options_;
  conversion::StoredPictures pictures_;
  Diagnosis diagnosis_;
  std::size_t textFindings_ = 0;  // findings on the text as a whole, first in diagnosis_
};

}  // namespace texttoxml::check
