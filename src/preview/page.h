// The preview page: a task text shown the way the test editor will present
// it after import, with the diagnostics at the tasks they concern. One
// self-contained HTML page: pictures are embedded, there are no scripts and
// nothing is requested from outside.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "check/diagnostics.h"
#include "platform/stream.h"

namespace texttoxml::preview {

// The page for a diagnosed text; `title` names the text, usually by its
// file name. Picture variants are shown as the PNG, JPEG or GIF bytes that
// the conversion stores, question pictures as their files' bytes.
// `readText`, when given, is the task text read from a Word document, shown
// whole after the summary so that the teacher sees what the document became.
std::string PreviewPage(const check::Diagnosis& diagnosis, std::u16string_view title,
                        std::optional<std::u16string_view> readText = std::nullopt);

// The same page, written to `out` task by task as it is made.
void WritePreviewPage(const check::Diagnosis& diagnosis, std::u16string_view title,
                      std::optional<std::u16string_view> readText, platform::OutputStream& out);

}  // namespace texttoxml::preview
