#include "cli/run.h"

#include <cstdint>
#include <functional>
#include <new>
#include <optional>
#include <ostream>
#include <string>

#include "check/document_findings.h"
#include "check/examiner.h"
#include "cli/check.h"
#include "cli/cli_errors.h"
#include "cli/command_files.h"
#include "cli/extract_command.h"
#include "cli/json_report.h"
#include "cli/options.h"
#include "cli/placed_errors.h"
#include "cli/preview_command.h"
#include "conversion/convert.h"
#include "conversion/task_text.h"
#include "conversion/text.h"
#include "platform/files.h"
#include "platform/platform_errors.h"
#include "platform/spooled_output.h"
#include "platform/translate.h"

namespace texttoxml::cli {

namespace {

// Standard output that remembers a write it could not take, so that every
// command reports a closed or full standard output the same way, whatever
// it was writing at the time.
class WatchedOutput : public platform::OutputStream {
 public:
  explicit WatchedOutput(platform::OutputStream& out) : out_(out) {}
  std::size_t Write(const char* data, std::size_t size) override {
    const std::size_t taken = out_.Write(data, size);
    if (taken == 0 && size > 0) failed_ = true;
    return taken;
  }
  bool Failed() const { return failed_; }
  bool KeepsUntilDecided() const override { return out_.KeepsUntilDecided(); }

 private:
  platform::OutputStream& out_;
  bool failed_ = false;
};

// What `convert` checks as it converts: the conversion reads the pictures
// itself and fails on a bad one, and only the counts are kept.
const check::DiagnoseOptions kConvertChecks{.readPictures = false, .onTask = {}};

// Shows each task written to the examiner, when there is one, and tells
// the caller's progress.
class ProgressObserver final : public conversion::TaskObserver {
 public:
  ProgressObserver(conversion::TaskObserver* next, const ProgressSink& progress)
      : next_(next), progress_(progress) {}
  void Observe(const conversion::TaskInText& task) override {
    if (next_) next_->Observe(task);
    progress_(task.index + 1, task.count);
  }

 private:
  conversion::TaskObserver* next_;
  const ProgressSink& progress_;
};

// Converts into `out`, telling a failure on a picture by its line.
void ConvertInto(platform::OutputStream& out, const std::string& input, const Options& options,
                 const InputText& text, std::u16string memo, const check::LineMap& lines,
                 check::Examiner* examiner, conversion::Converter& converter) {
  conversion::TaskObserver* observer = examiner;
  std::optional<ProgressObserver> progress;
  if (options.progress) observer = &progress.emplace(examiner, options.progress);
  try {
    converter.Convert(std::move(memo), {text.dir, text.fullPath},
                      options.date.value_or(platform::LocalNow()), out, {}, observer);
  } catch (const WriteError&) {
    throw;
  } catch (const std::exception& e) {
    if (!converter.FailedPicture()) throw;
    throw PictureFailure(input, text, lines, *converter.FailedPicture(), e.what());
  }
}

// Writes the converted document to `output`, replacing the file only once
// the whole document is there.
void WriteDocument(const std::string& input, const std::string& output,
                   const std::function<void(platform::OutputStream&)>& convert,
                   const InputText& text, const conversion::Converter& converter,
                   platform::OutputStream& standardOutput) {
  if (output == "-" && standardOutput.KeepsUntilDecided()) {
    convert(standardOutput);
    return;
  }
  if (output == "-") {
    // Held until it is whole, as for any output that is not a regular file:
    // a reader of a failed conversion gets nothing rather than half a file.
    platform::SpooledOutput held;
    convert(held);
    held.HandTo(standardOutput);
    return;
  }
  platform::FileOutputStream file(output);
  try {
    convert(file);
    RefuseOutputOverSources(output, text, converter.PicturePaths());
    file.Commit();
  } catch (const WriteError& e) {
    throw OutputFailedError(input, output, e.what());
  }
}

// Where `convert` tells what it found in a text: compiler-style warnings at
// once, or the fields of the input's JSON entry.
using FindingsSink = std::function<void(const InputText&, const check::Diagnosis&)>;

// Converts one input exactly as opening it in the window and saving would.
// The findings of `check` come from the same reading of the text and are
// told once it is done, also when it failed. Returns how the text was read.
std::string ConvertOne(const std::string& input, const std::string& output, const Options& options,
                       conversion::Converter& converter, platform::OutputStream& standardOutput,
                       const FindingsSink& tellFindings) {
  InputText text = ReadInput(input, options.encoding);
  const auto held = HoldPictures(text);
  const check::LineMap lines(text.decoded);
  std::optional<check::Examiner> examiner;
  if (tellFindings) examiner.emplace(text.decoded, lines, text.dir, kConvertChecks);
  std::u16string memo = conversion::MemoText(std::move(text.decoded));
  if (conversion::TrimView(memo).empty()) throw NothingToConvertError();
  const auto finishFindings = [&] {
    if (!examiner) return;
    check::Diagnosis diagnosis = examiner->Finish();
    if (text.document) check::AddDocumentFindings(text.document->facts, text.dir, diagnosis);
    tellFindings(text, diagnosis);
  };
  try {
    WriteDocument(
        input, output,
        [&](platform::OutputStream& out) {
          ConvertInto(out, input, options, text, std::move(memo), lines,
                      examiner ? &*examiner : nullptr, converter);
        },
        text, converter, standardOutput);
  } catch (...) {
    finishFindings();
    throw;
  }
  finishFindings();
  return text.encoding;
}

// A command of one input (preview, extract): its failure is told with the
// input's name.
int RunOneInput(void (*command)(const Options&, platform::OutputStream&),
                OutOfMemoryError (*shortage)(std::string_view, std::uint64_t),
                const Options& options, WatchedOutput& standardOutput, std::ostream& messages) {
  try {
    NamingMemoryShortage(options.inputs.front(), shortage,
                         [&] { command(options, standardOutput); });
    return 0;
  } catch (const std::exception& e) {
    if (standardOutput.Failed()) throw;
    messages << options.inputs.front() << ": " << DisplayMessage(e.what()) << '\n';
    return 1;
  }
}

// The line that tells why an input was not converted.
std::string FailureLine(const std::string& input) {
  try {
    throw;
  } catch (const PlacedError& e) {
    return e.what();
  } catch (const std::exception& e) {
    return input + ": " + DisplayMessage(e.what());
  }
}

// Converts every input. Its findings and failure go to `messages` as lines,
// or, with --format json, as one JSON report once all are done.
int ConvertAll(const Options& options, WatchedOutput& standardOutput, std::ostream& messages) {
  std::vector<std::string> outputs;
  for (const std::string& input : options.inputs) {
    outputs.push_back(OutputPathOf(options, input, ".xml"));
  }
  try {
    RefuseSharedOutputs(options.inputs, outputs);
  } catch (const OutputTakenTwiceError& e) {
    messages << "texttoxml: " << DisplayMessage(e.what()) << '\n';
    return 1;
  }
  const bool json = options.format == Options::Format::Json;
  JsonReport report;
  std::string jsonReport;
  conversion::Converter converter;
  int status = 0;
  for (std::size_t i = 0; i < options.inputs.size(); ++i) {
    const std::string& input = options.inputs[i];
    std::string fields;
    FindingsSink tellFindings;
    if (json) {
      tellFindings = [&](const InputText& text, const check::Diagnosis& diagnosis) {
        fields = JsonFields(text, diagnosis);
      };
    } else if (!options.quiet) {
      tellFindings = [&](const InputText& text, const check::Diagnosis& diagnosis) {
        messages << FindingLines(input, text, diagnosis, false);
      };
    }
    std::optional<std::string> failure;
    std::string encoding;
    try {
      encoding = NamingMemoryShortage(input, &OutOfMemoryError::Converting, [&] {
        return ConvertOne(input, outputs[i], options, converter, standardOutput, tellFindings);
      });
    } catch (const std::exception&) {
      if (standardOutput.Failed()) throw;
      failure = FailureLine(input);
      status = 1;
    }
    if (json) {
      if (failure) fields = JsonErrorField(*failure) + (fields.empty() ? "" : ", " + fields);
      jsonReport += report.Add(JsonEntry(input, fields));
    } else if (failure) {
      messages << *failure << '\n';
    } else if (options.verbose) {
      messages << input << " -> " << outputs[i] << " ("
               << platform::Format(platform::Tr("read as {1}"), {platform::Tr(encoding)}) << ")\n";
    }
  }
  if (json) messages << jsonReport << report.End();
  return status;
}

}  // namespace

namespace {

// The language and the controls that advice names, for one call: the page
// runs many in one process, and a caller's own settings come back after.
class MessageSettings {
 public:
  explicit MessageSettings(platform::Language language)
      : language_(platform::CurrentLanguage()), controls_(platform::CurrentControls()) {
    platform::SetLanguage(language);
    platform::SetControls(platform::Controls::CommandLine);
  }
  ~MessageSettings() {
    platform::SetLanguage(language_);
    platform::SetControls(controls_);
  }
  MessageSettings(const MessageSettings&) = delete;
  MessageSettings& operator=(const MessageSettings&) = delete;

 private:
  platform::Language language_;
  platform::Controls controls_;
};

int RunCommand(const Options& options, WatchedOutput& standardOutput, std::ostream& messages) {
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
  if (options.action == Options::Action::Preview) {
    return RunOneInput(RunPreview, &OutOfMemoryError::Previewing, options, standardOutput,
                       messages);
  }
  if (options.action == Options::Action::Extract) {
    return RunOneInput(RunExtract, &OutOfMemoryError::Extracting, options, standardOutput,
                       messages);
  }
  return ConvertAll(options, standardOutput, messages);
}

}  // namespace

int Run(const std::vector<std::string>& args, platform::OutputStream& standardOutput,
        std::ostream& messages, const ProgressSink& progress) {
  // A usage error speaks the environment's language; --lang rules the rest.
  const MessageSettings settings(platform::LanguageOfEnvironment());
  Options options;
  try {
    options = ParseOptions(args);
    options.progress = progress;
    if (options.language) platform::SetLanguage(*options.language);
    platform::SetControls(options.advice);
  } catch (const UsageError& e) {
    messages << "texttoxml: " << e.what() << '\n';
    messages << (e.ShowsUsage() ? std::string("\n") + kUsage
                                : platform::Tr("See texttoxml --help for every command.\n"));
    return 2;
  }
  WatchedOutput watched(standardOutput);
  try {
    return RunCommand(options, watched, messages);
  } catch (const std::bad_alloc&) {
    // Memory ran out outside the work on any one input.
    messages << "texttoxml: " << DisplayMessage(OutOfMemoryError::RunningCommand().what()) << '\n';
    return 1;
  } catch (const std::exception&) {
    if (!watched.Failed()) throw;
    messages << "texttoxml: " << DisplayMessage(WriteError().what()) << '\n';
    return 1;
  }
}

}  // namespace texttoxml::cli
