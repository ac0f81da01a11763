// "texttoxml extract": the task text a Word document holds, as a text file,
// and every picture it names beside it, so that a teacher can go on in
// plain text; converting that text gives the document's XML.
#pragma once

#include "cli/options.h"
#include "platform/stream.h"

namespace texttoxml::cli {

// Raises what reading the document or writing the files raises, and
// NotAWordDocumentError for a task text.
void RunExtract(const Options& options, platform::OutputStream& standardOutput);

}  // namespace texttoxml::cli
