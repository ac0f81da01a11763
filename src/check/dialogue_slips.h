// Dialogue and questions that the task syntax reads as answers.
//
// A line of dialogue starts with a dash, and a dash at the start of any line
// of a block but the first reads as the "-" marker: the dialogue becomes
// answers, and the question after it, having no marker, is glued onto the
// last of them. Editors also turn a typed "-" marker into a dash, so a dash
// alone proves nothing; a line without a marker after the dashes, or a "?"
// at the end of one of them, gives the slip away.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/task_parser.h"

namespace texttoxml::check {

// The lines of one block of a task, by index from 0.
struct BlockAnswerLines {
  const conversion::BlockLines& lines;
  std::function<std::size_t(std::size_t)> fileLine;  // a line's line in the file
};

struct LineWarning {
  std::size_t index;  // line of the block
  std::string message;
};

// One warning for each run of dash lines that holds dialogue, and one for
// each question glued onto a typed answer.
std::vector<LineWarning> FindDialogueSlips(const BlockAnswerLines& lines);

}  // namespace texttoxml::check
