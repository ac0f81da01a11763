#include "cli/check.h"

#include <algorithm>
#include <ostream>

#include "check/document_findings.h"
#include "cli/command_files.h"
#include "cli/json_text.h"
#include "error.h"
#include "platform/utf.h"

namespace texttoxml::cli {

namespace {

using check::Diagnosis;
using check::Finding;
using check::Severity;
using conversion::TaskKind;

// "single choice" becomes "single_choice".
std::string KindKey(TaskKind kind) {
  std::string key(check::TaskKindLabel(kind));
  std::replace(key.begin(), key.end(), ' ', '_');
  return key;
}

// A Word document's finding also names the paragraph and its first words.
std::string JsonFinding(const Finding& finding, const InputText& text) {
  std::string json = "{\"line\": " + std::to_string(finding.line);
  if (const docx::LineOrigin* origin = OriginOf(text, finding.line)) {
    json += ", \"paragraph\": " + std::to_string(origin->paragraph) + ", \"words\": ";
    AppendJsonString(json, platform::Utf16ToUtf8(origin->firstWords));
  }
  json += ", \"severity\": \"" + std::string(check::SeverityName(finding.severity)) +
          "\", \"message\": ";
  AppendJsonString(json, finding.message);
  return json + "}";
}

std::string JsonFile(const std::string& file, const InputText& text, const Diagnosis& diagnosis) {
  std::string json = "{\"file\": ";
  AppendJsonString(json, file);
  json += ", \"encoding\": ";
  AppendJsonString(json, text.encoding);
  json += ", \"tasks\": {\"total\": " + std::to_string(diagnosis.taskCount);
  for (TaskKind kind : check::kTaskKinds) {
    json += ", \"" + KindKey(kind) + "\": " + std::to_string(diagnosis.Count(kind));
  }
  json += "}, \"pictures\": {\"found\": " + std::to_string(diagnosis.picturesFound) +
          ", \"missing\": " + std::to_string(diagnosis.picturesMissing) +
          "}, \"warnings\": " + std::to_string(diagnosis.Count(Severity::Warning)) +
          ", \"notes\": " + std::to_string(diagnosis.Count(Severity::Note)) + ", \"findings\": [";
  for (std::size_t i = 0; i < diagnosis.findings.size(); ++i) {
    json += i == 0 ? "\n    " : ",\n    ";
    json += JsonFinding(diagnosis.findings[i], text);
  }
  return json + (diagnosis.findings.empty() ? "]}" : "\n  ]}");
}

std::string JsonError(const std::string& file, std::string_view message) {
  std::string json = "{\"file\": ";
  AppendJsonString(json, file);
  json += ", \"error\": ";
  AppendJsonString(json, message);
  return json + "}";
}

std::string TextReport(const std::string& file, const InputText& text, const Diagnosis& diagnosis) {
  return FindingLines(file, text, diagnosis, true) + file + ": " + check::SummaryText(diagnosis) +
         "; read as " + text.encoding + "\n";
}

}  // namespace

std::string FindingLines(const std::string& file, const InputText& text, const Diagnosis& diagnosis,
                         bool withNotes) {
  std::string lines;
  for (const Finding& finding : diagnosis.findings) {
    if (!withNotes && finding.severity == Severity::Note) continue;
    lines.append(PlaceOf(file, finding.line, text)).append(": ");
    lines.append(check::SeverityName(finding.severity)).append(": ");
    lines.append(finding.message).append("\n");
  }
  return lines;
}

Diagnosis DiagnoseInput(InputText& text, const check::DiagnoseOptions& options) {
  Diagnosis diagnosis = check::Diagnose(std::move(text.decoded), text.dir, options);
  if (text.document) check::AddDocumentFindings(text.document->facts, text.dir, diagnosis);
  return diagnosis;
}

int RunCheck(const Options& options, platform::OutputStream& out, std::ostream& messages) {
  const bool json = options.format == Options::Format::Json;
  int status = 0;
  std::string piece = json ? "{\"files\": [" : "";
  for (std::size_t i = 0; i < options.inputs.size(); ++i) {
    const std::string& input = options.inputs[i];
    if (json) piece += i == 0 ? "\n  " : ",\n  ";
    try {
      InputText text = ReadInput(input, options.encoding);
      const auto held = HoldPictures(text);
      const Diagnosis diagnosis = DiagnoseInput(text, {.keepTasks = false});
      if (diagnosis.Count(Severity::Warning) > 0) status = std::max(status, 1);
      piece += json ? JsonFile(input, text, diagnosis) : TextReport(input, text, diagnosis);
    } catch (const std::exception& error) {
      const std::string message = DisplayMessage(error.what());
      messages << input << ": " << message << '\n';
      status = 2;
      if (json) piece += JsonError(input, message);
    }
    platform::WriteAll(out, piece.data(), piece.size());
    piece.clear();
  }
  if (json) {
    piece = "\n]}\n";
    platform::WriteAll(out, piece.data(), piece.size());
  }
  return status;
}

}  // namespace texttoxml::cli
