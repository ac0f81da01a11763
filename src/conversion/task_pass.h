// One reading of a task text. Each block is cut into lines and parsed once,
// and whatever wants to know of a task (the document builder, the checks of
// `check`, the preview) sees it then, so that no command prepares or parses
// a text twice.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "conversion/task_parser.h"

namespace texttoxml::conversion {

// A block as the pass meets it; the references live until the handler
// returns.
struct TaskInText {
  std::size_t index = 0;  // among the blocks, from 0
  std::u16string_view block;
  const BlockLines& lines;  // the block as the parser reads it
  const ParsedTask& task;
  std::size_t firstPreparedLine = 0;  // its first line, from 0 over all blocks' lines
  std::size_t count = 0;              // how many blocks the text holds
  bool Last() const { return index + 1 == count; }
};

// What a command that reads tasks without writing them is told of each.
class TaskObserver {
 public:
  virtual ~TaskObserver() = default;
  virtual void Observe(const TaskInText& task) = 0;
};

// Where a pass stands: the block being handled and its first prepared line.
// A pass that raised stops at the block it raised on.
struct PassPosition {
  std::size_t block = 0;
  std::size_t preparedLine = 0;
};

// Parses the blocks from `at` on, in order, and calls `handle` with each.
// `dir` is the text's folder, where picture names are also looked for.
void ReadTasks(std::span<const std::u16string_view> blocks, const std::string& dir,
               PassPosition& at, const std::function<void(const TaskInText&)>& handle);

// How many lines a prepared block holds: its lines are joined with CR LF
// and none is empty.
std::size_t PreparedLineCount(std::u16string_view block);

}  // namespace texttoxml::conversion
