#include "check/diagnostics.h"

#include <algorithm>
#include <array>

#include "check/examiner.h"
#include "conversion/convert.h"
#include "conversion/task_text.h"
#include "conversion/text.h"
#include "platform/translate.h"

namespace texttoxml::check {

namespace {

using platform::Format;
using platform::Tr;
using platform::TrLater;
using platform::TrN;

std::string Counted(std::size_t count, std::string_view forms) {
  return Format(forms, {std::to_string(count)});
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
  return severity == Severity::Warning ? TrLater("warning") : TrLater("note");
}

std::string_view TaskKindLabel(TaskKind kind) {
  switch (kind) {
    case TaskKind::ChoiceSingle:
      return TrLater("single choice");
    case TaskKind::ChoiceMultiple:
      return TrLater("multiple choice");
    case TaskKind::ChoiceOrder:
      return TrLater("ordering");
    case TaskKind::EnterNum:
      return TrLater("number entry");
    case TaskKind::EnterText:
      return TrLater("text entry");
    case TaskKind::NoTask:
      break;
  }
  return TrLater("not a task");
}

std::string SummaryText(const Diagnosis& diagnosis) {
  const std::size_t tasks = diagnosis.taskCount;
  std::string text = Counted(tasks, TrN("{1} task", "{1} tasks", tasks));
  std::string kinds;
  for (TaskKind kind : kTaskKinds) {
    const std::size_t count = diagnosis.Count(kind);
    if (count == 0) continue;
    kinds += kinds.empty() ? " (" : ", ";
    kinds += std::to_string(count) + " " + std::string(Tr(TaskKindLabel(kind)));
  }
  if (!kinds.empty()) text += kinds + ")";
  const std::size_t warnings = diagnosis.Count(Severity::Warning);
  const std::size_t notes = diagnosis.Count(Severity::Note);
  text +=
      Format(Tr("; pictures: {1} found, {2} missing; "),
             {std::to_string(diagnosis.picturesFound), std::to_string(diagnosis.picturesMissing)});
  text += Counted(warnings, TrN("{1} warning", "{1} warnings", warnings)) + ", " +
          Counted(notes, TrN("{1} note", "{1} notes", notes));
  return text;
}

}  // namespace texttoxml::check
