#include "check/dialogue_slips.h"

#include "conversion/task_parser.h"
#include "conversion/text.h"
#include "platform/translate.h"

namespace texttoxml::check {

// Read with the conversion's own text helpers, as the conversion reads.
using namespace conversion;
using platform::Format;
using platform::Tr;

namespace {

bool EndsWithQuestionMark(std::u16string_view line) {
  return TrimView(line).ends_with(u'?');
}

class SlipFinder {
 public:
  explicit SlipFinder(const BlockAnswerLines& lines) : lines_(lines) {}

  std::vector<LineWarning> Find() {
    for (std::size_t start = 0; start < Count(); ++start) {
      if (!DashMade(start)) continue;
      std::size_t end = start + 1;
      while (end < Count() && DashMade(end)) ++end;
      CheckDashRun(start, end);
      start = end;
    }
    for (std::size_t i = FirstAnswer(); i < Count(); ++i) {
      if (IsAnswerLine(Read(i)) && !DashMade(i)) CheckTypedAnswer(i);
    }
    return std::move(found_);
  }

 private:
  std::size_t Count() const { return lines_.lines.Lines().size(); }
  std::size_t FirstAnswer() const { return lines_.lines.FirstAnswer(); }
  std::u16string_view Read(std::size_t index) const { return lines_.lines.Lines()[index]; }

  bool DashMade(std::size_t index) const {
    return lines_.lines.WrittenLine(index).substr(0, 1) != Read(index).substr(0, 1);
  }

  std::string LineNumber(std::size_t index) const { return std::to_string(lines_.fileLine(index)); }

  // The end of the lines from `from` on that have no marker, and so are
  // glued onto the answer line before them.
  std::size_t GluedEnd(std::size_t from) const {
    while (from < Count() && !IsAnswerLine(Read(from))) ++from;
    return from;
  }

  // The glued line in [from, to) that most likely holds the question: the
  // first that ends with "?", else the first one; `to` when none is text.
  // The text's last line may hold a marker after blanks, which the parser
  // does not read; the check of that line explains it, so it is left out.
  std::size_t GluedQuestion(std::size_t from, std::size_t to) const {
    std::size_t text = to;
    for (std::size_t i = from; i < to; ++i) {
      const std::u16string_view line = Read(i);
      if (IsAnswerLine(TrimView(line))) continue;
      if (EndsWithQuestionMark(line)) return i;
      if (text == to) text = i;
    }
    return text;
  }

  std::string GluedText(std::size_t glued, std::size_t answer) const {
    return Format(EndsWithQuestionMark(Read(glued))
                      ? Tr("this line has no marker, so it is glued onto the answer on line {1}, "
                           "yet it ends with \"?\"")
                      : Tr("this line has no marker, so it is glued onto the answer on line {1}"),
                  {LineNumber(answer)});
  }

  // What the dash lines [start, end) became, and how to keep them dialogue.
  std::string DashRunText(std::size_t start, std::size_t end) const {
    if (end - start == 1) {
      return Format(Tr("line {1} starts with a dash, read as the \"-\" marker, so it is an "
                       "answer; if it is dialogue, start it with a no-break space (U+00A0) to "
                       "keep it in the question"),
                    {LineNumber(start)});
    }
    return Format(end - start == 2
                      ? Tr("lines {1} and {2} start with a dash, read as the \"-\" marker, so "
                           "they are answers; if they are dialogue, start them with a no-break "
                           "space (U+00A0) to keep them in the question")
                      : Tr("lines {1} to {2} start with a dash, read as the \"-\" marker, so "
                           "they are answers; if they are dialogue, start them with a no-break "
                           "space (U+00A0) to keep them in the question"),
                  {LineNumber(start), LineNumber(end - 1)});
  }

  // Dash lines followed by a line without a marker, or ending with "?",
  // read like dialogue; without either they are wrong answers an editor
  // typeset, and nothing is said.
  void CheckDashRun(std::size_t start, std::size_t end) {
    const std::size_t gluedEnd = GluedEnd(end);
    const std::size_t glued = GluedQuestion(end, gluedEnd);
    if (glued != gluedEnd) {
      Warn(glued, GluedText(glued, end - 1) + ": " + DashRunText(start, end));
      return;
    }
    for (std::size_t i = start; i < end; ++i) {
      if (EndsWithQuestionMark(Read(i))) {
        Warn(i, Format(Tr("this answer ends with \"?\": {1}"), {DashRunText(start, end)}));
        return;
      }
    }
  }

  // A typed answer may well run on over a second line; a line that asks,
  // though, is most likely a question that lost its place.
  void CheckTypedAnswer(std::size_t item) {
    const std::size_t gluedEnd = GluedEnd(item + 1);
    const std::size_t glued = GluedQuestion(item + 1, gluedEnd);
    if (glued == gluedEnd || !EndsWithQuestionMark(Read(glued))) return;
    Warn(glued, Format(Tr("{1}: if it is a question, put it before the answers, which start on "
                          "line {2}, or after a blank line as a new task"),
                       {GluedText(glued, item), LineNumber(FirstAnswer())}));
  }

  void Warn(std::size_t index, std::string message) {
    found_.push_back({index, std::move(message)});
  }

  const BlockAnswerLines& lines_;
  std::vector<LineWarning> found_;
};

}  // namespace

std::vector<LineWarning> FindDialogueSlips(const BlockAnswerLines& lines) {
  return SlipFinder(lines).Find();
}

}  // namespace texttoxml::check
