#include "check/document_findings.h"

#include "conversion/message_text.h"
#include "conversion/task_parser.h"
#include "platform/translate.h"

namespace texttoxml::check {

namespace {

using docx::Fact;
using docx::FactKind;
using platform::Format;
using platform::Tr;

Finding Warning(const Fact& fact, std::string_view message) {
  return {fact.line, Severity::Warning, std::string(message)};
}

Finding Note(const Fact& fact, std::string_view message) {
  return {fact.line, Severity::Note, std::string(message)};
}

std::string Shown(const Fact& fact) {
  return conversion::Quoted(fact.detail);
}

Finding LinkedPicture(const Fact& fact, const std::string& dir) {
  if (conversion::ResolvePicturePath(fact.detail, dir).empty()) {
    return Warning(fact, Format(Tr("the picture is linked to {1}, which is not found beside the "
                                   "document: insert the picture itself in Word (without \"Link "
                                   "to File\")"),
                                {Shown(fact)}));
  }
  return Note(fact, Format(Tr("the picture is linked to {1}, not held in the document: the file "
                              "beside the document is embedded"),
                           {Shown(fact)}));
}

Finding FindingOf(const Fact& fact, const std::string& dir) {
  switch (fact.kind) {
    case FactKind::DroppedNumber:
      return Note(fact, Format(Tr("the automatic number {1} of this question is left out: the "
                                  "test editor numbers its tasks"),
                               {Shown(fact)}));
    case FactKind::BulletBeforeAnswer:
      return Warning(fact, Format(Tr("the list label {1} stands where an answer marker belongs: "
                                     "type \"+\" or \"-\" (or the position) at the start of the "
                                     "answer instead"),
                                  {Shown(fact)}));
    case FactKind::PictureInSentence:
      return Warning(fact, Format(Tr("picture {1} stands inside a line of text, where the import "
                                     "file cannot place it, so its name stays text: give it a "
                                     "paragraph of its own, or put it right after \"+\" or "
                                     "\"-\""),
                                  {Shown(fact)}));
    case FactKind::Equation:
      return Warning(fact, Format(Tr("an equation is written as its text {1}: the import file "
                                     "holds no Word equations; check that it reads right, or "
                                     "paste the equation as a picture"),
                                  {Shown(fact)}));
    case FactKind::LinkedPicture:
      return LinkedPicture(fact, dir);
    case FactKind::Table:
      return Note(fact, Tr("a table: its cells are read row by row, each paragraph a line"));
    case FactKind::TextBox:
      return Warning(fact, Tr("a text box: its text is not read"));
    case FactKind::Comment:
      return Note(fact, Tr("a comment: it is not read"));
    case FactKind::TrackedChange:
      return Note(fact, Tr("tracked changes: insertions are kept and deletions left out, as if "
                           "all were accepted"));
    case FactKind::HiddenText:
      return Note(fact, Tr("hidden text is left out"));
    case FactKind::NoEmptyParagraph:
      return Warning(fact, Tr("no empty paragraph comes before this line (the gap is paragraph "
                              "spacing), so it goes on the task before: put an empty paragraph "
                              "between tasks"));
    case FactKind::CorrectByFormat:
      return Warning(fact, Tr("this answer is set apart by bold or colour, but only \"+\" marks a "
                              "correct answer: type \"+\" before it"));
  }
  return Note(fact, "");
}

}  // namespace

std::vector<Finding> DocumentFindings(const std::vector<Fact>& facts, const std::string& dir) {
  std::vector<Finding> findings;
  for (const Fact& fact : facts) findings.push_back(FindingOf(fact, dir));
  SortByLine(findings);
  return findings;
}

void AddDocumentFindings(const std::vector<Fact>& facts, const std::string& dir,
                         Diagnosis& diagnosis) {
  std::vector<Finding> found = DocumentFindings(facts, dir);
  diagnosis.findings.insert(diagnosis.findings.end(), std::make_move_iterator(found.begin()),
                            std::make_move_iterator(found.end()));
  SortByLine(diagnosis.findings);
}

}  // namespace texttoxml::check
