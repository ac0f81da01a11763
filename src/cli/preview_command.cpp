#include "cli/preview_command.h"

#include "check/diagnostics.h"
#include "cli/check.h"
#include "cli/command_files.h"
#include "conversion/message_text.h"
#include "platform/files.h"
#include "preview/page.h"

namespace texttoxml::cli {

namespace {

// The files the page shows: question pictures and picture variants.
std::vector<std::string> ShownPictures(const check::Diagnosis& diagnosis) {
  std::vector<std::string> pictures;
  for (const check::TaskReport& report : diagnosis.tasks) {
    if (!report.task.questionPicture.empty()) pictures.push_back(report.task.questionPicture);
    for (const conversion::AnswerItem& item : report.task.answerItems) {
      if (!item.picture.empty()) pictures.push_back(item.picture);
    }
  }
  return pictures;
}

}  // namespace

void RunPreview(const Options& options, platform::OutputStream& standardOutput) {
  const std::string& input = options.inputs.front();
  InputText text = ReadInput(input, options.encoding);
  const auto held = HoldPictures(text);
  const std::string name = input.substr(input.find_last_of('/') + 1);
  const std::optional<std::u16string> readText = text.document ? std::optional(text.decoded)
                                                               : std::nullopt;
  const check::Diagnosis diagnosis = DiagnoseInput(text, {});
  const std::u16string title = conversion::TextOfBytes(name);
  const std::string output = OutputPathOf(options, input, ".html");
  if (output == "-") {
    preview::WritePreviewPage(diagnosis, title, readText, standardOutput);
    return;
  }
  RefuseOutputOverSources(output, text, ShownPictures(diagnosis));
  platform::FileOutputStream file(output);
  preview::WritePreviewPage(diagnosis, title, readText, file);
  file.Commit();
}

}  // namespace texttoxml::cli
