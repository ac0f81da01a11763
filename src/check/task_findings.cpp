#include "check/task_findings.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "check/dialogue_slips.h"
#include "conversion/letter_case.h"
#include "conversion/message_text.h"
#include "conversion/question_picture.h"
#include "conversion/stored_picture.h"
#include "conversion/text.h"
#include "error.h"
#include "pictures/content_kind.h"
#include "pictures/file_formats.h"
#include "pictures/jpeg_reader.h"
#include "pictures/picture.h"
#include "pictures/picture_errors.h"
#include "platform/files.h"
#include "platform/translate.h"
#include "platform/utf.h"

namespace texttoxml::check {

// Read with the conversion's own text helpers, as the conversion reads.
using namespace conversion;
using platform::Format;
using platform::Tr;
using platform::TrN;

namespace {

// The first answer line's family of markers decides the kind of a task.
enum class MarkerFamily { Choice, Order, Enter };

MarkerFamily FamilyOf(char16_t marker) {
  if (marker == u'+' || marker == u'-') return MarkerFamily::Choice;
  if (marker == u'=') return MarkerFamily::Enter;
  return MarkerFamily::Order;
}

bool IsEnter(TaskKind kind) {
  return kind == TaskKind::EnterNum || kind == TaskKind::EnterText;
}

// The characters a line can hold that XML 1.0 allows nowhere in a document.
bool IsXmlForbidden(char16_t c) {
  return (c < u' ' && c != u'\t') || c == 0xFFFE || c == 0xFFFF;
}

std::string MarkerText(char16_t marker) {
  return Quoted(std::u16string_view(&marker, 1));
}

// The name that a question picture line gives, "[name]", "@name" or
// "[@name]"; nothing when the line is no picture line.
std::optional<std::u16string_view> PictureLineName(std::u16string_view line) {
  std::u16string_view candidate = TrimView(line);
  auto bracketed = BracketedName(candidate);
  if (bracketed) candidate = *bracketed;
  if (bracketed || candidate.starts_with(u'@')) return candidate;
  return std::nullopt;
}

std::string ErrorText(const std::exception& error) {
  return PrintableText(TextOfBytes(error.what()), 200);
}

std::string UnreadablePicture(std::u16string_view name, const std::exception& error) {
  return Format(Tr("picture {1} cannot be read ({2}): converting will fail"),
                {Quoted(name), ErrorText(error)});
}

// ".bmp, .ico, ...", each registered extension once, in registration order.
std::string TakenExtensions() {
  std::vector<std::string> seen;
  std::string text;
  for (const pictures::FileFormat& format : pictures::FileFormats()) {
    if (std::find(seen.begin(), seen.end(), format.extension) != seen.end()) continue;
    seen.push_back(format.extension);
    text += (text.empty() ? "." : ", .") + format.extension;
  }
  return text;
}

// Whether a picture's name leads outside the text's folder in a way that a
// task text received from someone else could use to pull any readable file
// into the XML: an absolute name, a "..", or a system folder.
bool NameLeavesTextFolder(const std::string& path, const std::string& dir) {
  const std::filesystem::path file(path);
  for (const std::filesystem::path& part : file) {
    if (part == "..") return true;
  }
  std::error_code failed;
  const std::string normal = std::filesystem::absolute(file, failed).lexically_normal().string();
  for (std::string_view system : {"/proc/", "/dev/", "/sys/"}) {
    if (normal.starts_with(system)) return true;
  }
  const std::string folder = dir.ends_with('/') ? dir : dir + "/";
  return file.is_absolute() && (dir.empty() || !path.starts_with(folder));
}

// Where a picture's file lies when it is outside the folder its name was
// found in (the text's, or the current one for a name found there): the
// name as written when it leads out, else the file a link inside leads to
// (tar and zip keep links); nothing when the file lies inside.
std::optional<std::string> PlaceOutsideTextFolder(const std::string& path, const std::string& dir) {
  if (NameLeavesTextFolder(path, dir)) return path;
  const std::string folder = dir.ends_with('/') ? dir : dir + "/";
  const std::string inside =
      platform::ResolvedPath(!dir.empty() && path.starts_with(folder) ? dir : std::string("."));
  const std::string resolved = platform::ResolvedPath(path);
  if (inside.empty() || resolved.empty()) return std::nullopt;  // held in memory
  if (resolved.starts_with(inside.ends_with('/') ? inside : inside + "/")) return std::nullopt;
  return resolved;
}

// A relative name that was found in the current folder while the text's
// folder holds another file of that name too.
bool ShadowsFileBesideText(const std::string& path, const std::string& dir) {
  if (dir.empty() || std::filesystem::path(path).is_absolute()) return false;
  const std::string beside = (dir.ends_with('/') ? dir : dir + "/") + path;
  std::error_code failed;
  return platform::IsRegularFile(beside) && !std::filesystem::equivalent(path, beside, failed);
}

// The last part of a path or name.
std::string_view LastPart(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// A name as a picture line gives it, without the "@" that may lead it.
std::u16string_view BareName(std::u16string_view name) {
  return name.starts_with(u'@') ? TrimView(name.substr(1)) : name;
}

// "a", "b" and "c": the file names of the paths, quoted.
std::string QuotedFileNames(const std::vector<std::string>& paths) {
  std::string text;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (i > 0) text += i + 1 == paths.size() ? Tr(" and ") : ", ";
    text += Quoted(TextOfBytes(LastPart(paths[i])));
  }
  return text;
}

std::string JoinNumbers(const std::vector<std::size_t>& numbers) {
  std::string text;
  for (std::size_t number : numbers) {
    if (!text.empty()) text += ", ";
    text += std::to_string(number);
  }
  return text;
}

class BlockExaminer {
 public:
  BlockExaminer(const TaskInText& task, const LineMap& lineMap, const std::string& dir,
                const DiagnoseOptions& options, StoredPictures& pictures, Diagnosis& diagnosis)
      : task_(task.task),
        items_(task.task.answerItems),
        parsed_(task.lines),
        lineMap_(lineMap),
        firstPreparedLine_(task.firstPreparedLine),
        dir_(dir),
        options_(options),
        pictures_(pictures),
        diagnosis_(diagnosis) {
    for (std::size_t i = FirstAnswer(); i < Lines().size(); ++i) {
      if (itemStarts_.size() > kMaxWrittenVariants) break;
      if (IsAnswerLine(Lines()[i])) itemStarts_.push_back(i);
    }
  }

  void Examine(bool lastBlock) {
    if (task_.kind == TaskKind::NoTask) {
      ExplainNoTask();
    } else {
      CheckQuestionLines();
      CheckFirstAnswer();
      CheckDialogue();
      CheckDroppedItems();
      CheckAnswers();
      CheckControlCharacters();
    }
    if (lastBlock) CheckLastLine();
  }

 private:
  const std::vector<std::u16string_view>& Lines() const { return parsed_.Lines(); }
  std::size_t FirstAnswer() const { return parsed_.FirstAnswer(); }
  std::size_t Written() const { return std::min(items_.size(), kMaxWrittenVariants); }
  std::size_t FileLine(std::size_t index) const {
    return lineMap_.LineOfPreparedLine(firstPreparedLine_ + std::min(index, Lines().size() - 1));
  }
  // The block line where item `item` begins. Only the first items' lines
  // are kept: the checks ask for one or two later ones at most, which a
  // task of a million answers finds by reading on.
  std::size_t ItemStart(std::size_t item) const {
    if (item < itemStarts_.size()) return itemStarts_[item];
    std::size_t line = itemStarts_.back();
    for (std::size_t seen = itemStarts_.size() - 1; seen < item;) {
      if (IsAnswerLine(Lines()[++line])) ++seen;
    }
    return line;
  }

  void Add(std::size_t index, Severity severity, std::string message) {
    diagnosis_.findings.push_back({FileLine(index), severity, std::move(message)});
  }
  void Warn(std::size_t index, std::string message) {
    Add(index, Severity::Warning, std::move(message));
  }
  void Note(std::size_t index, std::string message) {
    Add(index, Severity::Note, std::move(message));
  }

  void ExplainNoTask() {
    if (FirstAnswer() == Lines().size()) {
      Warn(0, std::string(Tr("not a task: no line starts with an answer marker (+, -, 1 to 9 or "
                             "=); it is written as an empty task")));
    } else if (FirstAnswer() == 0) {
      const char16_t marker = Lines()[0][0];
      // "1917 — год ..." was meant as a question: say how to keep it one.
      Warn(0, Format(FamilyOf(marker) == MarkerFamily::Order
                         ? Tr("not a task: the first line starts with {1}, an answer marker, so "
                              "there is no question; it is written as an empty task; to keep it "
                              "a question, put a no-break space (U+00A0) before the number, or "
                              "rephrase it")
                         : Tr("not a task: the first line starts with {1}, an answer marker, so "
                              "there is no question; it is written as an empty task"),
                     {MarkerText(marker)}));
    } else {
      Warn(0, Format(Tr("not a task: its only question line names the picture {1}, so there is "
                        "no question text; it is written as an empty task"),
                     {Quoted(TrimView(Lines()[FirstAnswer() - 1]))}));
    }
  }

  void CheckQuestionLines() {
    const std::size_t pictureLine = FirstAnswer() - 1;
    for (std::size_t i = 0; i < pictureLine; ++i) {
      if (BracketedName(TrimView(Lines()[i]))) {
        Note(i, Format(Tr("{1} stays question text: only the line right before the answers "
                          "names the question picture"),
                       {Quoted(TrimView(Lines()[i]))}));
      }
    }
    auto name = PictureLineName(Lines()[pictureLine]);
    if (!name) return;
    if (task_.questionPicture.empty()) {
      ++diagnosis_.picturesMissing;
      Warn(pictureLine,
           Format(Tr("{1}; the line stays in the question text"), {NotFoundText(*name)}));
      return;
    }
    ++diagnosis_.picturesFound;
    const std::string& path = task_.questionPicture;
    CheckLetterCase(pictureLine, *name, path);
    // A system file is never embedded; reading it says so.
    const auto outside = PlaceOutsideTextFolder(path, dir_);
    if (outside && !platform::IsSystemFile(path)) {
      Warn(pictureLine, Format(Tr("picture {1} lies outside the text's folder: the file {2} will "
                                  "be embedded"),
                               {Quoted(*name), PrintableText(TextOfBytes(*outside), 200)}));
    }
    CheckShadowing(pictureLine, *name, path);
    CheckQuestionPictureFile(pictureLine, *name);
  }

  void CheckQuestionPictureFile(std::size_t index, std::u16string_view name) {
    std::string bytes;
    try {
      bytes = ReadQuestionPicture(task_.questionPicture);
    } catch (const QuestionPictureTooLargeError& error) {
      Warn(index, UnreadablePicture(name, error));
      return;
    } catch (const Error& error) {
      // Without reading pictures a conversion follows, which tells why.
      if (options_.readPictures) Warn(index, UnreadablePicture(name, error));
      return;
    }
    if (bytes.empty()) {
      Warn(index, Format(Tr("picture {1} is an empty file: the line leaves the question text, yet "
                            "no picture is embedded"),
                         {Quoted(name)}));
      return;
    }
    CheckQuestionPictureContent(index, name, std::move(bytes));
  }

  // The test editor shows a question picture by its content, whatever its
  // name says; the bytes are embedded as they are all the same.
  void CheckQuestionPictureContent(std::size_t index, std::u16string_view name, std::string bytes) {
    const pictures::ContentKind kind = pictures::ContentKindOf(bytes);
    const std::string shown = std::string(pictures::LoadableKindNames());
    if (kind.name.empty()) {
      Warn(index, Format(Tr("picture {1} holds no picture of a kind the test editor shows ({2}); "
                            "it is embedded as it is"),
                         {Quoted(name), shown}));
    } else if (kind.extension.empty()) {
      Warn(index, Format(Tr("picture {1} holds a picture of the kind {2}, which the test editor "
                            "does not show (it shows {3}); it is embedded as it is"),
                         {Quoted(name), kind.name, shown}));
    } else if (options_.readPictures) {
      const std::string fault = WholePictureFault(kind, std::move(bytes));
      if (fault.empty()) return;
      Warn(index, Format(Tr("picture {1} is not a complete {2} picture ({3}); it is embedded as "
                            "it is"),
                         {Quoted(name), kind.name, fault}));
    }
  }

  // Why bytes are no whole picture of their kind: what loading them as a
  // picture variant raises, or for JPEG, whose loading reads only the
  // header, data that decoding finds cut short or damaged; empty when they
  // are whole.
  std::string WholePictureFault(const pictures::ContentKind& kind, std::string bytes) {
    try {
      if (kind.name == "JPEG" && pictures::DecodeJpeg(bytes).damaged) {
        return std::string(Tr("its data end early or are damaged"));
      }
      pictures_.Load(task_.questionPicture, {std::string(kind.extension), std::move(bytes)});
    } catch (const std::exception& error) {
      return ErrorText(error);
    }
    return {};
  }

  // The marker of the first answer line ends the question and decides the
  // kind; when the line reads like part of the question, say so.
  void CheckFirstAnswer() {
    const std::size_t first = FirstAnswer();
    const std::u16string_view line = Lines()[first];
    const bool fromDash = parsed_.WrittenLine(first).substr(0, 1) != line.substr(0, 1);
    const std::string start =
        fromDash ? std::string(Tr("this line starts with a dash, read as the \"-\" marker,"))
                 : Format(Tr("this line starts with {1},"), {MarkerText(line[0])});
    if (items_.size() >= 2) {
      const char16_t next = Lines()[ItemStart(1)][0];
      if (FamilyOf(next) != FamilyOf(line[0])) {
        Warn(first, Format(Tr("{1} so it ends the question and decides the kind of task, but the "
                              "next answer starts with {2}; is it part of the question?"),
                           {start, MarkerText(next)}));
        return;
      }
    }
    if (task_.kind == TaskKind::ChoiceOrder && items_.size() == 1) {
      Warn(first, Format(Tr("{1} so it makes an ordering task of one answer; is it part of the "
                            "question?"),
                         {start}));
    } else if (!fromDash && TrimView(line).ends_with(u'?')) {
      // A dash line that asks is dialogue, which CheckDialogue warns of.
      Note(first, Format(Tr("{1} so it is read as the first answer, yet it ends with \"?\"; is it "
                            "part of the question?"),
                         {start}));
    }
  }

  void CheckDialogue() {
    const BlockAnswerLines lines{parsed_, [this](std::size_t index) { return FileLine(index); }};
    for (LineWarning& slip : FindDialogueSlips(lines)) Warn(slip.index, std::move(slip.message));
  }

  void CheckDroppedItems() {
    if (items_.size() <= kMaxWrittenVariants) return;
    Warn(ItemStart(kMaxWrittenVariants),
         Format(Tr("the task has {1} answers; the ones after the tenth, from this line on, are "
                   "not written"),
                {std::to_string(items_.size())}));
  }

  void CheckAnswers() {
    switch (task_.kind) {
      case TaskKind::ChoiceSingle:
      case TaskKind::ChoiceMultiple:
        CheckCorrectMark();
        CheckVariantPictures();
        break;
      case TaskKind::ChoiceOrder:
        CheckPositions();
        CheckVariantPictures();
        break;
      case TaskKind::EnterText:
        CheckNumbers();
        break;
      case TaskKind::EnterNum:
      case TaskKind::NoTask:
        break;
    }
  }

  void CheckCorrectMark() {
    auto isCorrect = [](const AnswerItem& item) { return item.mark == 1; };
    const auto tenth = items_.begin() + static_cast<std::ptrdiff_t>(Written());
    if (std::any_of(items_.begin(), tenth, isCorrect)) return;
    const auto late = std::find_if(tenth, items_.end(), isCorrect);
    if (late == items_.end()) {
      Warn(FirstAnswer(),
           std::string(Tr("no answer is marked \"+\": the task has no correct answer")));
    } else {
      Warn(ItemStart(static_cast<std::size_t>(late - items_.begin())),
           std::string(Tr("the only answers marked \"+\" come after the tenth and are not "
                          "written: the task has no correct answer")));
    }
  }

  void CheckPositions() {
    const std::size_t npos = static_cast<std::size_t>(-1);
    std::vector<std::size_t> holder(kMaxWrittenVariants + 1, npos);
    for (std::size_t i = 0; i < Written(); ++i) {
      const std::int32_t mark = items_[i].mark;
      if (mark < 1 || static_cast<std::size_t>(mark) > kMaxWrittenVariants) {
        Warn(ItemStart(i), NoPositionReason(i));
        continue;
      }
      std::size_t& first = holder[static_cast<std::size_t>(mark)];
      if (first == npos) {
        first = i;
      } else {
        Warn(ItemStart(i),
             Format(Tr("position {1} is given twice: also on line {2}"),
                    {std::to_string(mark), std::to_string(FileLine(ItemStart(first)))}));
      }
    }
    std::vector<std::size_t> missing;
    for (std::size_t position = 1; position <= Written(); ++position) {
      if (holder[position] == npos) missing.push_back(position);
    }
    if (missing.empty()) return;
    Warn(FirstAnswer(), Format(TrN("position {1} is given to no answer",
                                   "positions {1} are given to no answer", missing.size()),
                               {JoinNumbers(missing)}));
  }

  std::string NoPositionReason(std::size_t item) const {
    const std::u16string_view line = Lines()[ItemStart(item)];
    if (line[0] < u'1' || line[0] > u'9') {
      return Format(Tr("this answer starts with {1} instead of its position; it is written as -1"),
                    {MarkerText(line[0])});
    }
    const int position = line.starts_with(u"10") ? 10 : line[0] - u'0';
    return Format(Tr("position {1} is beyond the task's {2} answers; it is written as -1"),
                  {std::to_string(position), std::to_string(items_.size())});
  }

  // Several answers of which some are numbers: one word or fraction makes
  // the whole task a text task.
  void CheckNumbers() {
    if (items_.size() < 2) return;
    auto isNumber = [](const AnswerItem& item) { return IsIntegerText(item.Answer()); };
    if (std::none_of(items_.begin(), items_.end(), isNumber)) return;
    const auto text = std::find_if_not(items_.begin(), items_.end(), isNumber);
    Warn(ItemStart(static_cast<std::size_t>(text - items_.begin())),
         Format(Tr("answer {1} is not a whole number, so the task takes text answers, its "
                   "numbers too"),
                {Quoted(text->Answer())}));
  }

  void CheckVariantPictures() {
    for (std::size_t i = 0; i < Written(); ++i) {
      auto name = BracketedName(items_[i].text);
      if (!name) continue;
      const std::string& path = task_.PictureOf(i);
      if (path.empty()) {
        ++diagnosis_.picturesMissing;
        Warn(ItemStart(i), Format(Tr("{1}; the answer stays text"), {NotFoundText(*name)}));
      } else {
        ++diagnosis_.picturesFound;
        CheckLetterCase(ItemStart(i), *name, path);
        CheckShadowing(ItemStart(i), *name, path);
        CheckVariantPictureFile(ItemStart(i), *name, path);
      }
    }
  }

  // Why a picture is not found: no file of its name, or several whose
  // names differ from it only in letter case, of which none is chosen.
  std::string NotFoundText(std::u16string_view name) const {
    const std::vector<std::string> differing = PicturesDifferingInCase(BareName(name), dir_);
    if (differing.size() < 2) return Format(Tr("picture {1} not found"), {Quoted(name)});
    return Format(Tr("picture {1} not found: the files {2} differ from it only in letter case, "
                     "so none of them is taken"),
                  {Quoted(name), QuotedFileNames(differing)});
  }

  // A picture found under a name that differs from the one written only in
  // letter case, as Windows finds it.
  void CheckLetterCase(std::size_t index, std::u16string_view name, const std::string& path) {
    const std::string written = platform::Utf16ToUtf8(BareName(name));
    const std::string_view found = LastPart(path);
    if (found == LastPart(written) || !SameButForLetterCase(found, LastPart(written))) return;
    Note(index, Format(Tr("picture {1} is taken from the file {2}, whose name differs in letter "
                          "case"),
                       {Quoted(name), Quoted(TextOfBytes(found))}));
  }

  void CheckShadowing(std::size_t index, std::u16string_view name, const std::string& path) {
    if (!ShadowsFileBesideText(path, dir_)) return;
    Note(index, Format(Tr("picture {1} exists both in the current folder and beside the text; "
                          "the one in the current folder is used"),
                       {Quoted(name)}));
  }

  void CheckVariantPictureFile(std::size_t index, std::u16string_view name,
                               const std::string& path) {
    const std::string extension = pictures::PictureFileExtension(path);
    if (pictures::FindExt(extension) == nullptr) {
      Warn(index, Format(Tr("no picture kind takes the extension {1} of picture {2} (they take "
                            "{3}): converting will fail"),
                         {Quoted(u"." + TextOfBytes(extension)), Quoted(name), TakenExtensions()}));
      return;
    }
    if (!options_.readPictures) return;
    try {
      const StoredPicture stored = pictures_.Load(path);
      if (stored.unwritable.empty()) return;
      Warn(index, Format(Tr("picture {1} cannot be written ({2}): {3}"),
                         {Quoted(name), PrintableText(TextOfBytes(stored.unwritable), 200),
                          Tr(kPlaceholderStored)}));
    } catch (const std::exception& error) {
      Warn(index, UnreadablePicture(name, error));
    }
  }

  // The texts that reach the XML, checked for characters XML forbids; the
  // finding stands on each line that holds one of them.
  void CheckControlCharacters() {
    std::u16string reached;
    auto collect = [&reached](std::u16string_view text) {
      for (char16_t c : text) {
        if (IsXmlForbidden(c) && reached.find(c) == std::u16string::npos) reached += c;
      }
    };
    collect(task_.question);
    for (std::size_t i = 0; i < Written(); ++i) {
      collect(IsEnter(task_.kind) ? items_[i].Answer() : items_[i].text);
      if (const auto caption = items_[i].Caption()) collect(*caption);
    }
    if (reached.empty()) return;
    for (std::size_t i = 0; i < Lines().size(); ++i) {
      std::u16string found;
      for (char16_t c : Lines()[i]) {
        if (reached.find(c) != std::u16string::npos && found.find(c) == std::u16string::npos) {
          found += c;
        }
      }
      if (!found.empty()) Warn(i, ControlCharacterMessage(found));
    }
  }

  static std::string ControlCharacterMessage(std::u16string_view characters) {
    std::string codes;
    for (char16_t c : characters) {
      if (!codes.empty()) codes += ", ";
      codes += platform::CodePointText(c);
    }
    return Format(TrN("control character {1} reaches the XML as it is, and strict XML readers "
                      "reject the file",
                      "control characters {1} reach the XML as they are, and strict XML readers "
                      "reject the file",
                      characters.size()),
                  {codes});
  }

  // Only the text's very last line may keep blanks at its start; a marker
  // after them is not read as one.
  void CheckLastLine() {
    const std::size_t last = Lines().size() - 1;
    const std::u16string_view line = Lines()[last];
    if (line.empty() || !IsBlank(line[0]) || !IsAnswerLine(TrimView(line))) return;
    const std::string marker = MarkerText(TrimView(line)[0]);
    Warn(last, Format(last > 0 ? Tr("this last line starts with blanks, so its {1} is not read as "
                                    "an answer marker: the line continues the line before")
                               : Tr("this last line starts with blanks, so its {1} is not read as "
                                    "an answer marker"),
                      {marker}));
  }

  const ParsedTask& task_;
  const std::vector<AnswerItem>& items_;
  const BlockLines& parsed_;
  const LineMap& lineMap_;
  const std::size_t firstPreparedLine_;
  const std::string& dir_;
  const DiagnoseOptions& options_;
  StoredPictures& pictures_;
  Diagnosis& diagnosis_;
  std::vector<std::size_t> itemStarts_;  // block line where each of the first items begins
};

}  // namespace

void ExamineBlock(const TaskInText& task, const LineMap& lineMap, const std::string& dir,
                  const DiagnoseOptions& options, StoredPictures& pictures, Diagnosis& diagnosis) {
  if (task.lines.Lines().empty()) return;
  BlockExaminer(task, lineMap, dir, options, pictures, diagnosis).Examine(task.Last());
}

}  // namespace texttoxml::check
