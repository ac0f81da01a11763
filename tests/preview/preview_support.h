// The preview page of a text, made the way the preview command makes it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "check/diagnostics.h"
#include "platform/stream.h"
#include "preview/page.h"

namespace texttoxml::testing {

inline std::string PreviewOf(std::u16string_view text, const std::string& dir,
                             std::u16string_view title) {
  preview::PreviewPage page;
  const check::Diagnosis diagnosis = check::Diagnose(
      std::u16string(text), dir,
      {.readPictures = true, .onTask = [&page](const check::TaskReport& r) { page.Add(r); }});
  std::string html;
  platform::StringOutputStream out(html);
  page.WriteTo(diagnosis, title, std::nullopt, out);
  return html;
}

}  // namespace texttoxml::testing
