// The checks of one parsed block, used by the diagnostics pass.
#pragma once

#include <cstddef>
#include <vector>

#include "conversion/diagnostics.h"
#include "conversion/stored_picture.h"

namespace texttoxml::conversion {

// Examines one block whose `report.task` is already parsed: fills
// `report.itemLines` and appends the findings, counting the pictures, to
// `diagnosis`. `fileLines` holds the file line of each line of the block;
// `dir` is the text's folder; `lastBlock` says whether the block ends the text.
// Variant pictures are loaded through `pictures`, shared by the blocks of
// one text so that each file is loaded once.
void ExamineBlock(TaskReport& report, const std::vector<std::size_t>& fileLines,
                  const std::string& dir, bool lastBlock, const DiagnoseOptions& options,
                  StoredPictures& pictures, Diagnosis& diagnosis);

}  // namespace texttoxml::conversion
