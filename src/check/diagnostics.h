// Diagnostics for the author of a task text: the places where the
// conversion will quietly do something the author probably did not mean
// (a block that is no task, a picture that stays text, a task without a
// correct answer, answers that are dropped). The checks run on the tasks as
// the conversion reads them and change nothing it writes.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/task_parser.h"

namespace texttoxml::check {

using conversion::kTaskKinds;
using conversion::ParsedTask;
using conversion::TaskKind;

enum class Severity { Warning, Note };

struct Finding {
  std::size_t line = 0;  // from 1, in the file as read
  Severity severity = Severity::Warning;
  std::string message;  // short English text, UTF-8
};

// One block of the prepared text, parsed as the conversion parses it (each
// becomes one Task element), as the examiner hands it on while the text is
// read; what it refers to lives as long as the call it is handed to.
struct TaskReport {
  std::u16string_view block;
  const ParsedTask& task;
  std::size_t firstLine = 0;  // file lines of the block's first and last line
  std::size_t lastLine = 0;
  std::vector<const Finding*> findings;  // those on the block's lines so far, sorted by line
};

// The place of a kind in kTaskKinds.
std::size_t TaskKindIndex(TaskKind kind);

struct Diagnosis {
  std::vector<Finding> findings;  // sorted by line
  std::size_t picturesFound = 0;
  std::size_t picturesMissing = 0;
  std::size_t taskCount = 0;
  std::array<std::size_t, kTaskKinds.size()> kindCounts{};  // in kTaskKinds' order

  std::size_t Count(TaskKind kind) const;
  std::size_t Count(Severity severity) const;
};

struct DiagnoseOptions {
  // Also load every picture the conversion would embed, to report the ones
  // it will fail on. Off when the conversion itself follows anyway.
  bool readPictures = true;
  // Told of every task as it is examined, for showing the tasks (the
  // preview); a check needs only the counts.
  std::function<void(const TaskReport&)> onTask;
};

// Sorts findings by line, keeping the order of those on one line.
void SortByLine(std::span<Finding> findings);

// Examines a decoded task text (as LoadTaskText gives it). `dir` is the
// folder of the text file, where picture names are also looked for.
Diagnosis Diagnose(std::u16string decoded, const std::string& dir,
                   const DiagnoseOptions& options = {});

std::string_view SeverityName(Severity severity);  // "warning", "note"
std::string_view TaskKindLabel(TaskKind kind);     // "single choice", ...

// One line: tasks by kind, pictures found and missing, warnings and notes.
std::string SummaryText(const Diagnosis& diagnosis);

}  // namespace texttoxml::check
