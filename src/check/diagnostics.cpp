#include "check/diagnostics.h"

#include <algorithm>
#include <array>

#include "check/examiner.h"
#include "conversion/convert.h"
#include "conversion/task_text.h"
#include "conversion/text.h"

namespace texttoxml::check {

namespace {

std::string Counted(std::size_t count, std::string_view what) {
  std::string text = std::to_string(count) + " " + std::string(what);
  if (count != 1) text += 's';
  return text;
}

}  // namespace

std::size_t TaskKindIndex(TaskKind kind) {
  return static_cast<std::size_t>(std::find(kTaskKinds.begin(), kTaskKinds.end(), kind) -
                                  kTaskKinds.begin());
}

std::size_t Diagnosis::Count(TaskKind kind) const {
  return kindCounts[TaskKindIndex(kind)];
}

std::size_t Diagnosis::Count(Severity severity) const {
  return static_cast<std::size_t>(
      std::count_if(findings.begin(), findings.end(),
                    [severity](const Finding& f) { return f.severity == severity; }));
}

void SortByLine(std::span<Finding> findings) {
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

Diagnosis Diagnose(std::u16string decoded, const std::string& dir, const DiagnoseOptions& options) {
  const LineMap lines(decoded);
  Examiner examiner(decoded, lines, dir, options);
  std::u16string memo = conversion::MemoText(std::move(decoded));
  if (conversion::TrimView(memo).empty()) {
    examiner.NoteBlank();
  } else {
    conversion::ReadTaskText(std::move(memo), dir, examiner);
  }
  return examiner.Finish();
}

std::string_view SeverityName(Severity severity) {
  return severity == Severity::Warning ? "warning" : "note";
}

std::string_view TaskKindLabel(TaskKind kind) {
  switch (kind) {
    case TaskKind::ChoiceSingle:
      return "single choice";
    case TaskKind::ChoiceMultiple:
      return "multiple choice";
    case TaskKind::ChoiceOrder:
      return "ordering";
    case TaskKind::EnterNum:
      return "number entry";
    case TaskKind::EnterText:
      return "text entry";
    case TaskKind::NoTask:
      break;
  }
  return "not a task";
}

std::string SummaryText(const Diagnosis& diagnosis) {
  std::string text = Counted(diagnosis.taskCount, "task");
  std::string kinds;
  for (TaskKind kind : kTaskKinds) {
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

}  // namespace texttoxml::check
