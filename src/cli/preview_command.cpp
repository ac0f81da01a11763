#include "cli/preview_command.h"

#include "check/diagnostics.h"
#include "check/document_findings.h"
#include "cli/check.h"
#include "cli/command_files.h"
#include "conversion/message_text.h"
#include "platform/files.h"
#include "preview/page.h"

namespace texttoxml::cli {

void RunPreview(const Options& options, platform::OutputStream& standardOutput) {
  const std::string& input = options.inputs.front();
  InputText text = ReadInput(input, options.encoding);
  const auto held = HoldPictures(text);
  const std::string name = input.substr(input.find_last_of('/') + 1);
  const std::optional<std::u16string> readText = text.document ? std::optional(text.decoded)
                                                               : std::nullopt;
  preview::PreviewPage page(text.document ? check::DocumentFindings(text.document->facts, text.dir)
                                          : std::vector<check::Finding>());
  const check::Diagnosis diagnosis = DiagnoseInput(
      text, {.onTask = [&page](const check::TaskReport& report) { page.Add(report); }});
  const std::u16string title = conversion::TextOfBytes(name);
  const std::string output = OutputPathOf(options, input, ".html");
  if (output == "-") {
    page.WriteTo(diagnosis, title, readText, standardOutput);
    return;
  }
  RefuseOutputOverSources(output, text, page.ShownPictures());
  platform::FileOutputStream file(output);
  page.WriteTo(diagnosis, title, readText, file);
  file.Commit();
}

}  // namespace texttoxml::cli
