// The checks of one parsed block, used by the diagnostics pass.
#pragma once

#include <cstddef>
#include <vector>

#include "check/diagnostics.h"
#include "check/line_map.h"
#include "conversion/stored_picture.h"
#include "conversion/task_pass.h"

namespace texttoxml::check {

// Examines one parsed block: appends its findings, counting the pictures,
// to `diagnosis`. `lineMap` gives the file line of each line of the block;
// `dir` is the text's folder. Variant pictures are loaded through
// `pictures`, shared by the blocks of one text so that each file is loaded
// once.
void ExamineBlock(const conversion::TaskInText& task, const LineMap& lineMap,
                  const std::string& dir, const DiagnoseOptions& options,
                  conversion::StoredPictures& pictures, Diagnosis& diagnosis);

}  // namespace texttoxml::check
