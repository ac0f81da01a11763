// Files that a teacher may choose by mistake instead of a task text: a rich
// text or PDF document, a picture, a program or data file. Read as a text,
// each would give a list of meaningless tasks; told by their content, they
// are refused with what to choose instead. Word documents (ZIP archives and
// OLE compound files) are not among them: the document reader takes those.
#pragma once

#include <string>
#include <string_view>

#include "conversion/conversion_errors.h"

namespace texttoxml::conversion {

// Raises NotATaskTextError when `bytes` start as an RTF file, a PDF document
// or a picture of a common kind.
void RefuseForeignFile(std::string_view bytes);

// Raises NotATaskTextError when the decoded `text` holds control characters
// (other than tabs and line breaks) far beyond a stray one, as binary files
// read as text do.
void RefuseBinaryText(std::u16string_view text);

}  // namespace texttoxml::conversion
