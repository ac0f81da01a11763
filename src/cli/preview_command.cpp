#include "cli/preview_command.h"

#include "cli/command_files.h"
#include "conversion/diagnostics.h"
#include "conversion/message_text.h"
#include "conversion/preview.h"
#include "platform/files.h"

namespace texttoxml::cli {

void RunPreview(const Options& options, platform::OutputStream& standardOutput) {
  const std::string& input = options.inputs.front();
  const InputText text = ReadInput(input, options.encoding);
  const std::string name = input.substr(input.find_last_of('/') + 1);
  const std::string page = conversion::PreviewPage(conversion::Diagnose(text.decoded, text.dir),
                                                   conversion::TextOfBytes(name));
  const std::string output = OutputPathOf(options, input, ".html");
  if (output == "-") {
    platform::WriteAll(standardOutput, page.data(), page.size());
    return;
  }
  RefuseOutputOverSources(output, text, {});
  platform::FileOutputStream file(output);
  platform::WriteAll(file, page.data(), page.size());
  file.Commit();
}

}  // namespace texttoxml::cli
