#include "cli/json_report.h"

#include <algorithm>

#include "cli/json_text.h"
#include "platform/utf.h"

namespace texttoxml::cli {

namespace {

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

}  // namespace

std::string JsonFields(const InputText& text, const check::Diagnosis& diagnosis) {
  std::string json = "\"encoding\": ";
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
  return json + (diagnosis.findings.empty() ? "]" : "\n  ]");
}

std::string JsonErrorField(std::string_view message) {
  std::string json = "\"error\": ";
  AppendJsonString(json, message);
  return json;
}

std::string JsonEntry(std::string_view file, std::string_view fields) {
  std::string json = "{\"file\": ";
  AppendJsonString(json, file);
  return json.append(", ").append(fields) + "}";
}

std::string JsonReport::Add(std::string_view entry) {
  std::string piece = started_ ? ",\n  " : "{\"files\": [\n  ";
  started_ = true;
  return piece.append(entry);
}

std::string JsonReport::End() const {
  return started_ ? "\n]}\n" : "{\"files\": [\n]}\n";
}

}  // namespace texttoxml::cli
