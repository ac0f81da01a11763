#include "cli/check.h"

#include <algorithm>
#include <ostream>

#include "check/document_findings.h"
#include "cli/command_files.h"
#include "cli/json_report.h"
#include "error.h"
#include "platform/translate.h"

namespace texttoxml::cli {

namespace {

using check::Diagnosis;
using check::Finding;
using check::Severity;

std::string TextReport(const std::string& file, const InputText& text, const Diagnosis& diagnosis) {
  return FindingLines(file, text, diagnosis, true) + file + ": " + check::SummaryText(diagnosis) +
         platform::Format(platform::Tr("; read as {1}"), {platform::Tr(text.encoding)}) + "\n";
}

}  // namespace

std::string FindingLines(const std::string& file, const InputText& text, const Diagnosis& diagnosis,
                         bool withNotes) {
  std::string lines;
  for (const Finding& finding : diagnosis.findings) {
    if (!withNotes && finding.severity == Severity::Note) continue;
    lines.append(PlaceOf(file, finding.line, text)).append(": ");
    lines.append(platform::Tr(check::SeverityName(finding.severity))).append(": ");
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
  JsonReport report;
  int status = 0;
  for (const std::string& input : options.inputs) {
    std::string piece;
    try {
      piece = NamingMemoryShortage(input, &OutOfMemoryError::Checking, [&] {
        InputText text = ReadInput(input, options.encoding);
        const auto held = HoldPictures(text);
        const Diagnosis diagnosis = DiagnoseInput(text, {});
        if (diagnosis.Count(Severity::Warning) > 0) status = std::max(status, 1);
        return json ? report.Add(JsonEntry(input, JsonFields(text, diagnosis)))
                    : TextReport(input, text, diagnosis);
      });
    } catch (const std::exception& error) {
      const std::string message = DisplayMessage(error.what());
      messages << input << ": " << message << '\n';
      status = 2;
      if (json) piece = report.Add(JsonEntry(input, JsonErrorField(message)));
    }
    platform::WriteAll(out, piece.data(), piece.size());
  }
  if (json) {
    const std::string end = report.End();
    platform::WriteAll(out, end.data(), end.size());
  }
  return status;
}

}  // namespace texttoxml::cli
