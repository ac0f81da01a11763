#include "check/examiner.h"

#include <algorithm>
#include <span>

#include "check/task_findings.h"
#include "conversion/text.h"
#include "platform/translate.h"

namespace texttoxml::check {

namespace {

// The memo keeps the text only up to its first U+0000. Blanks after it are
// no loss; text is, and a file full of U+0000 is most likely UTF-16 that
// was read as single bytes because it has no byte order mark.
void CheckCutText(std::u16string_view decoded, Diagnosis& diagnosis) {
  const std::size_t cut = decoded.find(u'\0');
  if (cut == std::u16string_view::npos || conversion::TrimView(decoded.substr(cut)).empty()) {
    return;
  }
  constexpr std::u16string_view kUtf16LineBreak(u"\r\0\n", 3);
  const std::string_view message =
      decoded.find(kUtf16LineBreak) != std::u16string_view::npos
          ? platform::Tr(
                "a U+0000 character cuts the text here: everything after it is ignored "
                "(is the file UTF-16 without a byte order mark?)")
          : platform::Tr("a U+0000 character cuts the text here: everything after it is ignored");
  diagnosis.findings.push_back(
      {LineOfOffset(decoded, cut), Severity::Warning, std::string(message)});
}

}  // namespace

Examiner::Examiner(std::u16string_view decoded, const LineMap& lines, std::string dir,
                   const DiagnoseOptions& options)
    : lineMap_(lines), dir_(std::move(dir)), options_(options) {
  CheckCutText(decoded, diagnosis_);
  textFindings_ = diagnosis_.findings.size();
}

void Examiner::Observe(const conversion::TaskInText& task) {
  const std::size_t before = diagnosis_.findings.size();
  ExamineBlock(task, lineMap_, dir_, options_, pictures_, diagnosis_);
  ++diagnosis_.taskCount;
  ++diagnosis_.kindCounts[TaskKindIndex(task.task.kind)];
  if (options_.onTask && !task.lines.Lines().empty()) Report(task, before);
}

// The block's own findings are sorted where they stand: the findings of
// one block keep apart from the others' by line, so the sort at the end
// gives the same order.
void Examiner::Report(const conversion::TaskInText& task, std::size_t ownFindings) {
  std::vector<Finding>& all = diagnosis_.findings;
  SortByLine(std::span(all).subspan(ownFindings));
  const std::size_t lastLine = task.firstPreparedLine + task.lines.Lines().size() - 1;
  TaskReport report{task.block,
                    task.task,
                    lineMap_.LineOfPreparedLine(task.firstPreparedLine),
                    lineMap_.LineOfPreparedLine(lastLine),
                    {}};
  for (std::size_t i = 0; i < textFindings_; ++i) {
    if (all[i].line >= report.firstLine && all[i].line <= report.lastLine) {
      report.findings.push_back(&all[i]);
    }
  }
  for (std::size_t i = ownFindings; i < all.size(); ++i) report.findings.push_back(&all[i]);
  std::stable_sort(report.findings.begin(), report.findings.end(),
                   [](const Finding* a, const Finding* b) { return a->line < b->line; });
  options_.onTask(report);
}

void Examiner::NoteBlank() {
  diagnosis_.findings.push_back(
      {1, Severity::Warning,
       std::string(platform::Tr("the text is blank: there is nothing to convert"))});
}

Diagnosis Examiner::Finish() {
  SortByLine(diagnosis_.findings);
  return std::move(diagnosis_);
}

}  // namespace texttoxml::check
