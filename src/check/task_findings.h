// The checks of one parsed block, used by the diagnostics pass.
#pragma once

#include <cstddef>
#include <vector>

#include "check/diagnostics.h"
#include "conversion/stored_picture.h"
#include "conversion/task_pass.h"

namespace texttoxml::check {

// Examines one parsed block: appends its findings, counting the pictures,
// to `diagnosis`, and returns the file line where each answer item begins.
// `fileLines` holds the file line of each line of the block; `dir` is the
// text's folder. Variant pictures are loaded through `pictures`, shared by
// the blocks of one text so that each file is loaded once.
std::vector<std::size_t> ExamineBlock(const conversion::TaskInText& task,
                                      const std::vector<std::size_t>& fileLines,
                                      const std::string& dir, const DiagnoseOptions& options,
                                      conversion::StoredPictures& pictures, Diagnosis& diagnosis);

}  // namespace texttoxml::check
