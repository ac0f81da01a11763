#include "cli/run.h"

#include <ostream>

#include "cli/check.h"
#include "cli/command_files.h"
#include "cli/options.h"
#include "cli/preview_command.h"
#include "conversion/diagnostics.h"
#include "conversion/task_text.h"
#include "conversion/test_document.h"
#include "conversion/text.h"
#include "error.h"
#include "platform/files.h"

namespace texttoxml::cli {

namespace {

class NothingToConvertError : public Error {
 public:
  NothingToConvertError() : Error("Nothing to convert: the text is blank") {}
};

// The normalised text of a decoded one, after its warnings went to
// `messages` (unless quiet). The intermediate texts are released before the
// document is built, which keeps large inputs in less memory.
std::u16string NormalisedText(std::u16string decoded, const std::string& input,
                              const std::string& dir, const Options& options,
                              std::ostream& messages) {
  // Without warnings to look for, the decoded text is not needed again and
  // becomes the memo text without a copy.
  std::u16string memo = conversion::MemoText(options.quiet ? std::move(decoded) : decoded);
  if (conversion::TrimView(memo).empty()) throw NothingToConvertError();
  if (!options.quiet) {
    // The conversion reads the pictures itself and fails on a bad one.
    conversion::DiagnoseOptions diagnoseOptions;
    diagnoseOptions.readPictures = false;
    messages << FindingLines(input, conversion::Diagnose(decoded, dir, diagnoseOptions), false);
  }
  return conversion::NormaliseTaskText(std::move(memo));
}

// Converts one input exactly as opening it in the window and saving would.
void ConvertOne(const std::string& input, const Options& options,
                conversion::TestDocumentBuilder& builder,
                platform::OutputStream& standardOutput, std::ostream& messages) {
  InputText text = ReadInput(input, options.encoding);
  const std::u16string normalised =
      NormalisedText(std::move(text.decoded), input, text.dir, options, messages);

  conversion::TextSource source{text.dir, text.fullPath};
  auto document = builder.Build(conversion::CutTaskBlocks(normalised), source,
                                options.date.value_or(platform::LocalNow()));

  std::string output = options.output.value_or(DefaultOutputPath(input));
  if (output == "-") {
    document->SaveToStream(standardOutput);
  } else {
    if (platform::FullPath(output) == text.fullPath) throw OutputIsInputError();
    document->SaveToFile(output);
  }
  if (options.verbose) {
    messages << input << " -> " << output << " (read as " << text.encoding << ")\n";
  }
}

int Preview(const Options& options, platform::OutputStream& standardOutput,
            std::ostream& messages) {
  try {
    RunPreview(options, standardOutput);
    return 0;
  } catch (const std::exception& e) {
    messages << options.inputs.front() << ": " << DisplayMessage(e.what()) << '\n';
    return 1;
  }
}

}  // namespace

std::string DefaultOutputPath(const std::string& input) { return OutputPathFor(input, ".xml"); }

int Run(const std::vector<std::string>& args, platform::OutputStream& standardOutput,
        std::ostream& messages) {
  Options options;
  try {
    options = ParseOptions(args);
  } catch (const UsageError& e) {
    messages << "texttoxml: " << e.what() << "\n\n" << kUsage;
    return 2;
  }
  if (options.action == Options::Action::Help) {
    platform::WriteAll(standardOutput, kUsage, std::char_traits<char>::length(kUsage));
    return 0;
  }
  if (options.action == Options::Action::Version) {
    std::string version = "texttoxml " TEXTTOXML_VERSION "\n";
    platform::WriteAll(standardOutput, version.data(), version.size());
    return 0;
  }
  if (options.action == Options::Action::Check) return RunCheck(options, standardOutput, messages);
  if (options.action == Options::Action::Preview) return Preview(options, standardOutput, messages);
  conversion::TestDocumentBuilder builder;
  int status = 0;
  for (const std::string& input : options.inputs) {
    try {
      ConvertOne(input, options, builder, standardOutput, messages);
    } catch (const std::exception& e) {
      messages << input << ": " << DisplayMessage(e.what()) << '\n';
      status = 1;
    }
  }
  return status;
}

}  // namespace texttoxml::cli
