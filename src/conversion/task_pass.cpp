#include "conversion/task_pass.h"

#include <algorithm>

namespace texttoxml::conversion {

void ReadTasks(std::span<const std::u16string_view> blocks, const std::string& dir,
               PassPosition& at, const std::function<void(const TaskInText&)>& handle) {
  for (; at.block < blocks.size(); ++at.block) {
    const std::u16string_view block = blocks[at.block];
    const BlockLines lines(block);
    const ParsedTask task = ParseTaskLines(lines, dir);
    handle(TaskInText{at.block, block, lines, task, at.preparedLine, blocks.size()});
    at.preparedLine += lines.Lines().size();
  }
}

std::size_t PreparedLineCount(std::u16string_view block) {
  return static_cast<std::size_t>(std::count(block.begin(), block.end(), u'\n')) + 1;
}

}  // namespace texttoxml::conversion
