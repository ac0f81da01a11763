// The preview page: a task text shown the way the test editor will present
// it after import, with the diagnostics at the tasks they concern. One
// self-contained HTML page: pictures are embedded, there are no scripts and
// nothing is requested from outside.
#pragma once

#include <string>
#include <string_view>

#include "check/diagnostics.h"

namespace texttoxml::preview {

// The page for a diagnosed text; `title` names the text, usually by its
// file name. Picture variants are shown as the PNG, JPEG or GIF bytes that
// the conversion stores, question pictures as their files' bytes.
std::string PreviewPage(const check::Diagnosis& diagnosis, std::u16string_view title);

}  // namespace texttoxml::preview
