#include "conversion/diagnostics.h"

#include <algorithm>
#include <array>

#include "conversion/line_map.h"
#include "conversion/task_findings.h"
#include "conversion/task_text.h"
#include "conversion/text.h"

namespace texttoxml::conversion {

namespace {

constexpr std::array<TaskKind, 6> kKindsInSummaryOrder = {
    TaskKind::ChoiceSingle, TaskKind::ChoiceMultiple, TaskKind::ChoiceOrder,
    TaskKind::EnterNum,     TaskKind::EnterText,      TaskKind::NoTask};

// The memo keeps the text only up to its first U+0000. Blanks after it are
// no loss; text is, and a file full of U+0000 is most likely UTF-16 that
// was read as single bytes because it has no byte order mark.
void CheckCutText(std::u16string_view decoded, const LineMap& lineMap, Diagnosis& diagnosis) {
  const std::size_t cut = decoded.find(u'\0');
  if (cut == std::u16string_view::npos || TrimView(decoded.substr(cut)).empty()) return;
  std::string message = "a U+0000 character cuts the text here: everything after it is ignored";
  constexpr std::u16string_view kUtf16LineBreak(u"\r\0\n", 3);
  if (decoded.find(kUtf16LineBreak) != std::u16string_view::npos) {
    message += " (is the file UTF-16 without a byte order mark?)";
  }
  diagnosis.findings.push_back({lineMap.LineOfOffset(cut), Severity::Warning, std::move(message)});
}

std::string Counted(std::size_t count, std::string_view what) {
  std::string text = std::to_string(count) + " " + std::string(what);
  if (count != 1) text += 's';
  return text;
}

}  // namespace

std::size_t Diagnosis::Count(TaskKind kind) const {
  return static_cast<std::size_t>(std::count_if(
      tasks.begin(), tasks.end(), [kind](const TaskReport& r) { return r.task.kind == kind; }));
}

std::size_t Diagnosis::Count(Severity severity) const {
  return static_cast<std::size_t>(std::count_if(
      findings.begin(), findings.end(),
      [severity](const Finding& f) { return f.severity == severity; }));
}

Diagnosis Diagnose(std::u16string_view decoded, const std::string& dir,
                   const DiagnoseOptions& options) {
  Diagnosis diagnosis;
  const LineMap lineMap(decoded);
  CheckCutText(decoded, lineMap, diagnosis);

  const std::u16string memo = MemoText(std::u16string(decoded));
  if (TrimView(memo).empty()) {
    diagnosis.findings.push_back({1, Severity::Warning, "the text is blank: there is nothing to convert"});
    return diagnosis;
  }
  const PreparedText prepared = PrepareTaskText(memo);
  std::size_t preparedLine = 0;
  StoredPictures pictures;
  for (std::size_t b = 0; b < prepared.blocks.size(); ++b) {
    TaskReport report;
    report.block = prepared.blocks[b];
    report.task = ParseTaskBlock(report.block, dir);
    std::vector<std::size_t> fileLines(PreparedLineCount(report.block));
    for (std::size_t& line : fileLines) line = lineMap.LineOfPreparedLine(preparedLine++);
    report.firstLine = fileLines.front();
    report.lastLine = fileLines.back();
    ExamineBlock(report, fileLines, dir, b + 1 == prepared.blocks.size(), options, pictures,
                 diagnosis);
    diagnosis.tasks.push_back(std::move(report));
  }
  std::stable_sort(diagnosis.findings.begin(), diagnosis.findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return diagnosis;
}

std::string_view SeverityName(Severity severity) {
  return severity == Severity::Warning ? "warning" : "note";
}

std::string_view TaskKindLabel(TaskKind kind) {
  switch (kind) {
    case TaskKind::ChoiceSingle: return "single choice";
    case TaskKind::ChoiceMultiple: return "multiple choice";
    case TaskKind::ChoiceOrder: return "ordering";
    case TaskKind::EnterNum: return "number entry";
    case TaskKind::EnterText: return "text entry";
    case TaskKind::NoTask: break;
  }
  return "not a task";
}

std::string SummaryText(const Diagnosis& diagnosis) {
  std::string text = Counted(diagnosis.tasks.size(), "task");
  std::string kinds;
  for (TaskKind kind : kKindsInSummaryOrder) {
    const std::size_t count = diagnosis.Count(kind);
    if (count == 0) continue;
    kinds += kinds.empty() ? " (" : ", ";
    kinds += std::to_string(count) + " " + std::string(TaskKindLabel(kind));
  }
  if (!kinds.empty()) text += kinds + ")";
  text += "; pictures: " + std::to_string(diagnosis.picturesFound) + " found, " +
          std::to_string(diagnosis.picturesMissing) + " missing; " +
          Counted(diagnosis.Count(Severity::Warning), "warning") + ", " +
          Counted(diagnosis.Count(Severity::Note), "note");
  return text;
}

}  // namespace texttoxml::conversion
