// "texttoxml check": what the conversion will make of each input, as
// compiler-style lines or as JSON.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "check/diagnostics.h"
#include "cli/command_files.h"
#include "cli/options.h"
#include "platform/stream.h"

namespace texttoxml::cli {

// The report goes to `out`, inputs that cannot be read are named on
// `messages`. Returns 0 when no input has a warning, 1 when one has, 2 when
// an input could not be read.
int RunCheck(const Options& options, platform::OutputStream& out, std::ostream& messages);

// One line "file:line: severity: message" per finding (a Word document's
// paragraph in place of the line); notes only when `withNotes`.
std::string FindingLines(const std::string& file, const InputText& text,
                         const check::Diagnosis& diagnosis, bool withNotes);

// A text's diagnosis with what only a Word document has.
check::Diagnosis DiagnoseInput(InputText& text, const check::DiagnoseOptions& options);

}  // namespace texttoxml::cli
