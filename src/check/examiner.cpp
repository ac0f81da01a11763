#include "check/examiner.h"

#include "check/task_findings.h"
#include "conversion/text.h"

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
  std::string message = "a U+0000 character cuts the text here: everything after it is ignored";
  constexpr std::u16string_view kUtf16LineBreak(u"\r\0\n", 3);
  if (decoded.find(kUtf16LineBreak) != std::u16string_view::npos) {
    message += " (is the file UTF-16 without a byte order mark?)";
  }
  diagnosis.findings.push_back({LineOfOffset(decoded, cut), Severity::Warning, std::move(message)});
}

}  // namespace

Examiner::Examiner(std::u16string_view decoded, const LineMap& lines, std::string dir,
                   const DiagnoseOptions& options)
    : lineMap_(lines), dir_(std::move(dir)), options_(options) {
  CheckCutText(decoded, diagnosis_);
}

void Examiner::Observe(const conversion::TaskInText& task) {
  std::vector<std::size_t> fileLines(task.lines.Lines().size());
  for (std::size_t i = 0; i < fileLines.size(); ++i) {
    fileLines[i] = lineMap_.LineOfPreparedLine(task.firstPreparedLine + i);
  }
  std::vector<std::size_t> itemLines =
      ExamineBlock(task, fileLines, dir_, options_, pictures_, diagnosis_);
  ++diagnosis_.taskCount;
  ++diagnosis_.kindCounts[TaskKindIndex(task.task.kind)];
  if (!options_.keepTasks || fileLines.empty()) return;
  // Only a block that is no task is shown as it is; the others would hold
  // the text a second time.
  std::u16string block(task.task.kind == conversion::TaskKind::NoTask ? task.block
                                                                      : std::u16string_view());
  diagnosis_.tasks.push_back(TaskReport{std::move(block), task.task, fileLines.front(),
                                        fileLines.back(), std::move(itemLines)});
}

void Examiner::NoteBlank() {
  diagnosis_.findings.push_back(
      {1, Severity::Warning, "the text is blank: there is nothing to convert"});
}

Diagnosis Examiner::Finish() {
  SortByLine(diagnosis_.findings);
  return std::move(diagnosis_);
}

}  // namespace texttoxml::check
