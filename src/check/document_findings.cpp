#include "check/document_findings.h"

#include "conversion/message_text.h"
#include "conversion/task_parser.h"

namespace texttoxml::check {

namespace {

using docx::Fact;
using docx::FactKind;

Finding Warning(const Fact& fact, std::string message) {
  return {fact.line, Severity::Warning, std::move(message)};
}

Finding Note(const Fact& fact, std::string message) {
  return {fact.line, Severity::Note, std::move(message)};
}

std::string Shown(const Fact& fact) {
  return conversion::Quoted(fact.detail);
}

Finding LinkedPicture(const Fact& fact, const std::string& dir) {
  if (conversion::ResolvePicturePath(fact.detail, dir).empty()) {
    return Warning(fact, "the picture is linked to " + Shown(fact) +
                             ", which is not found beside the document: insert the picture "
                             "itself in Word (without \"Link to File\")");
  }
  return Note(fact, "the picture is linked to " + Shown(fact) +
                        ", not held in the document: the file beside the document is embedded");
}

Finding FindingOf(const Fact& fact, const std::string& dir) {
  switch (fact.kind) {
    case FactKind::DroppedNumber:
      return Note(fact, "the automatic number " + Shown(fact) +
                            " of this question is left out: the test editor numbers its tasks");
    case FactKind::BulletBeforeAnswer:
      return Warning(fact, "the list label " + Shown(fact) +
                               " stands where an answer marker belongs: type \"+\" or \"-\" "
                               "(or the position) at the start of the answer instead");
    case FactKind::PictureInSentence:
      return Warning(fact, "picture " + Shown(fact) +
                               " stands inside a line of text, where the import file cannot "
                               "place it, so its name stays text: give it a paragraph of its "
                               "own, or put it right after \"+\" or \"-\"");
    case FactKind::Equation:
      return Warning(fact, "an equation is written as its text " + Shown(fact) +
                               ": the import file holds no Word equations; check that it "
                               "reads right, or paste the equation as a picture");
    case FactKind::LinkedPicture:
      return LinkedPicture(fact, dir);
    case FactKind::Table:
      return Note(fact, "a table: its cells are read row by row, each paragraph a line");
    case FactKind::TextBox:
      return Warning(fact, "a text box: its text is not read");
    case FactKind::Comment:
      return Note(fact, "a comment: it is not read");
    case FactKind::TrackedChange:
      return Note(fact,
                  "tracked changes: insertions are kept and deletions left out, as if "
                  "all were accepted");
    case FactKind::HiddenText:
      return Note(fact, "hidden text is left out");
    case FactKind::NoEmptyParagraph:
      return Warning(fact,
                     "no empty paragraph comes before this line (the gap is paragraph "
                     "spacing), so it goes on the task before: put an empty paragraph "
                     "between tasks");
    case FactKind::CorrectByFormat:
      return Warning(fact,
                     "this answer is set apart by bold or colour, but only \"+\" marks a "
                     "correct answer: type \"+\" before it");
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
