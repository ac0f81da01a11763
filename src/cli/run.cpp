#include "cli/run.h"

#include <ostream>

#include "cli/options.h"
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

class OutputIsInputError : public Error {
 public:
  OutputIsInputError() : Error("The output file would replace the input file") {}
};

std::string FolderOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return "";
  return path.substr(0, slash == 0 ? 1 : slash);
}

// The task blocks of an input file; the intermediate texts are released
// before the document is built, which keeps large inputs in less memory.
std::vector<std::u16string> PreparedBlocks(const std::string& input, bool utf8) {
  std::u16string memo = conversion::MemoText(conversion::LoadTaskText(input, utf8));
  if (conversion::TrimView(memo).empty()) throw NothingToConvertError();
  return conversion::PrepareTaskText(memo).blocks;
}

// Converts one input exactly as opening it in the window and saving would.
void ConvertOne(const std::string& input, const Options& options,
                conversion::TestDocumentBuilder& builder,
                platform::OutputStream& standardOutput, std::ostream& messages) {
  std::vector<std::u16string> blocks = PreparedBlocks(input, options.utf8);

  std::string fullInput = platform::FullPath(input);
  conversion::TextSource source{FolderOf(fullInput), fullInput};
  auto document = builder.Build(blocks, source,
                                options.date.value_or(platform::LocalNow()));

  std::string output = options.output.value_or(DefaultOutputPath(input));
  if (output == "-") {
    document->SaveToStream(standardOutput);
  } else {
    if (platform::FullPath(output) == fullInput) throw OutputIsInputError();
    document->SaveToFile(output);
  }
  if (options.verbose) messages << input << " -> " << output << '\n';
}

}  // namespace

std::string DefaultOutputPath(const std::string& input) {
  auto slash = input.find_last_of('/');
  std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  auto dot = input.find_last_of('.');
  // A leading dot names a hidden file; it does not start an extension.
  if (dot == std::string::npos || dot <= nameStart) return input + ".xml";
  return input.substr(0, dot) + ".xml";
}

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
