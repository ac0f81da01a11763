#include "conversion/task_parser.h"

#include <algorithm>
#include <array>
#include <deque>
#include <utility>

#include "conversion/letter_case.h"
#include "conversion/text.h"
#include "platform/files.h"
#include "platform/held_files.h"
#include "platform/utf.h"

namespace texttoxml::conversion {

namespace {

bool IsOrderDigit(char16_t c) {
  return c >= u'1' && c <= u'9';
}

bool IsMarker(char16_t c) {
  return c == u'+' || c == u'-' || c == u'=' || IsOrderDigit(c);
}

bool IsDash(char16_t c) {
  return c == u'\u2012' || c == u'\u2013' || c == u'\u2014';
}

// Typographic dashes that editors put in place of a typed "-" count as the
// "-" marker, but only at the start of a line after the first: the block's
// first line is a question, and a dash there must stay part of it.
// The block is copied into `copy` only when it holds such a dash.
std::u16string_view ReplaceLineStartDashes(std::u16string_view block, std::u16string& copy) {
  for (std::size_t i = 2; i < block.size(); ++i) {
    if (IsDash(block[i]) && block[i - 2] == u'\r' && block[i - 1] == u'\n') {
      if (copy.empty()) copy.assign(block);
      copy[i] = u'-';
    }
  }
  return copy.empty() ? block : std::u16string_view(copy);
}

// The picture that the line before the first answer line names, as "[name]",
// "@name" or "[@name]" (tried with the "@" first, then without it).
std::string FindQuestionPicture(std::u16string_view line, const std::string& dir) {
  std::u16string_view candidate = TrimView(line);
  std::string path;
  if (auto name = BracketedName(candidate)) {
    candidate = *name;
    path = ResolvePicturePath(candidate, dir);
  }
  if (!candidate.empty() && candidate[0] == u'@') {
    std::string found = ResolvePicturePath(TrimView(candidate.substr(1)), dir);
    if (!found.empty()) path = std::move(found);
  }
  return path;
}

// A line that ends a sentence keeps its line break; other lines run on.
std::u16string JoinQuestion(const std::vector<std::u16string_view>& lines, std::size_t count) {
  std::u16string question;
  std::size_t joined = 0;
  for (std::size_t i = 0; i < count; ++i) joined += lines[i].size() + kLineBreak.size();
  question.reserve(joined);
  for (std::size_t i = 0; i < count; ++i) {
    std::u16string_view line = lines[i];
    question.append(line);
    bool endsSentence = !line.empty() &&
                        (line.back() == u'.' || line.back() == u'!' || line.back() == u'?');
    if (endsSentence) {
      question.append(kLineBreak);
    } else {
      question += u' ';
    }
  }
  const std::u16string_view trimmed = TrimView(question);
  const auto begin = static_cast<std::size_t>(trimmed.data() - question.data());
  const std::size_t size = trimmed.size();
  question.erase(0, begin);  // trimmed in place, not copied
  question.resize(size);
  return question;
}

// "{caption} answer": the caption counts only when an answer may follow the
// closing brace; "{...}" as a whole is an answer like any other text.
struct TypedParts {
  std::u16string_view answer;
  std::optional<std::u16string_view> caption;
};

TypedParts TypedPartsOf(std::u16string_view text) {
  const std::size_t close = text.find(u'}');
  if (text.starts_with(u'{') && close != std::u16string_view::npos && close + 2 <= text.size()) {
    return {TrimView(text.substr(close + 1)), TrimView(text.substr(1, close - 1))};
  }
  return {text, std::nullopt};
}

AnswerItem ChoiceItem(std::u16string_view raw) {
  return {.text = TrimView(raw.substr(1)), .mark = raw[0] == u'+' ? 1 : 0};
}

// "10" is the only two-digit place; any other marker than a digit gives no
// place. A place beyond the number of items is taken away once all are read.
AnswerItem OrderItem(std::u16string_view raw) {
  AnswerItem item;
  std::u16string_view rest;
  if (raw.starts_with(u"10")) {
    item.mark = 10;
    rest = raw.substr(2);
  } else {
    item.mark = IsOrderDigit(raw[0]) ? raw[0] - u'0' : -1;
    rest = raw.substr(1);
  }
  rest = TrimView(rest);
  if (!rest.empty() && (rest[0] == u')' || rest[0] == u'.')) {
    rest = TrimView(rest.substr(1));
  }
  item.text = rest;
  return item;
}

AnswerItem EnterItem(std::u16string_view raw) {
  return {.text = TrimView(raw.substr(1)), .typed = true};
}

// The item an answer line makes in a task of the marker family of `first`.
AnswerItem ItemOf(char16_t first, std::u16string_view raw) {
  if (first == u'+' || first == u'-') return ChoiceItem(raw);
  if (IsOrderDigit(first)) return OrderItem(raw);
  return EnterItem(raw);
}

// Each answer line with its continuation lines, read as an item of the
// task's kind: a view of its line, or of its copy in `joined` when
// continuation lines run on from it.
std::vector<AnswerItem> ReadItems(const std::vector<std::u16string_view>& lines,
                                  std::size_t firstAnswer, std::deque<std::u16string>& joined) {
  std::vector<AnswerItem> items;
  if (firstAnswer == lines.size()) return items;
  items.reserve(static_cast<std::size_t>(
      std::count_if(lines.begin() + static_cast<std::ptrdiff_t>(firstAnswer), lines.end(),
                    [](std::u16string_view line) { return IsAnswerLine(line); })));
  const char16_t first = lines[firstAnswer][0];
  for (std::size_t i = firstAnswer; i < lines.size();) {
    std::u16string_view raw = lines[i++];
    if (i < lines.size() && !IsAnswerLine(lines[i])) {
      std::u16string& copy = joined.emplace_back(raw);
      for (; i < lines.size() && !IsAnswerLine(lines[i]); ++i)
        copy.append(1, u' ').append(lines[i]);
      raw = copy;
    }
    items.push_back(ItemOf(first, raw));
  }
  return items;
}

std::size_t CountCorrect(const std::vector<AnswerItem>& items) {
  std::size_t count = 0;
  for (const auto& item : items) count += item.mark == 1 ? 1 : 0;
  return count;
}

bool AllAnswersInteger(const std::vector<AnswerItem>& items) {
  for (const auto& item : items) {
    if (!IsIntegerText(item.Answer())) return false;
  }
  return true;
}

// The kind of a task whose first marker is `first`; an ordering task's
// places beyond the number of its items are taken away.
TaskKind KindOf(char16_t first, std::vector<AnswerItem>& items) {
  if (first == u'+' || first == u'-') {
    return CountCorrect(items) > 1 ? TaskKind::ChoiceMultiple : TaskKind::ChoiceSingle;
  }
  if (IsOrderDigit(first)) {
    for (AnswerItem& item : items) {
      if (item.mark > 0 && static_cast<std::size_t>(item.mark) > items.size()) item.mark = -1;
    }
    return TaskKind::ChoiceOrder;
  }
  return AllAnswersInteger(items) ? TaskKind::EnterNum : TaskKind::EnterText;
}

// Where a picture name is looked for: as it is, then beside the text.
std::array<std::string, 2> PicturePlaces(std::u16string_view name, const std::string& dir) {
  std::string path = platform::Utf16ToUtf8(name);
  std::string joined = dir;
  if (!joined.ends_with('/')) joined += '/';
  joined += path;
  return {std::move(path), std::move(joined)};
}

std::vector<std::string> ItemPictures(const std::vector<AnswerItem>& items,
                                      const std::string& dir) {
  std::vector<std::string> pictures(std::min(items.size(), kMaxWrittenVariants));
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    if (auto name = BracketedName(items[i].text)) pictures[i] = ResolvePicturePath(*name, dir);
  }
  return pictures;
}

bool IsHexDigit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool IsDecimalDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

std::u16string_view WithoutLeadingZeros(std::u16string_view digits) {
  std::size_t first = digits.find_first_not_of(u'0');
  return first == std::u16string_view::npos ? std::u16string_view() : digits.substr(first);
}

bool AllOf(std::u16string_view digits, bool (*isDigit)(char16_t)) {
  for (char16_t c : digits) {
    if (!isDigit(c)) return false;
  }
  return !digits.empty();
}

// Up to eight significant digits: any 32-bit pattern, whatever the sign.
bool IsHexNumber(std::u16string_view digits) {
  return AllOf(digits, IsHexDigit) && WithoutLeadingZeros(digits).size() <= 8;
}

bool IsDecimalNumber(std::u16string_view digits, bool negative) {
  if (!AllOf(digits, IsDecimalDigit)) return false;
  std::u16string_view significant = WithoutLeadingZeros(digits);
  if (significant.size() > 10) return false;
  std::int64_t value = 0;
  for (char16_t c : significant) value = value * 10 + (c - u'0');
  return value <= (negative ? std::int64_t{2147483648} : std::int64_t{2147483647});
}

}  // namespace

std::string_view TaskTypeName(TaskKind kind) {
  switch (kind) {
    case TaskKind::ChoiceSingle:
      return "TYPE_TASK_CHOICE_SINGLE";
    case TaskKind::ChoiceMultiple:
      return "TYPE_TASK_CHOICE_MULTIPLE";
    case TaskKind::ChoiceOrder:
      return "TYPE_TASK_CHOICE_ORDER";
    case TaskKind::EnterNum:
      return "TYPE_TASK_ENTER_NUM";
    case TaskKind::EnterText:
      return "TYPE_TASK_ENTER_TEXT";
    case TaskKind::NoTask:
      break;
  }
  return {};
}

BlockLines::BlockLines(std::u16string_view block)
    : block_(block), lines_(SplitLineViews(ReplaceLineStartDashes(block, text_))) {
  while (firstAnswer_ < lines_.size() && !IsAnswerLine(lines_[firstAnswer_])) ++firstAnswer_;
}

std::u16string_view BlockLines::WrittenLine(std::size_t index) const {
  const std::u16string_view line = lines_[index];
  if (text_.empty()) return line;
  return block_.substr(static_cast<std::size_t>(line.data() - text_.data()), line.size());
}

bool IsAnswerLine(std::u16string_view line) {
  return !line.empty() && IsMarker(line[0]);
}

std::optional<std::u16string_view> BracketedName(std::u16string_view text) {
  if (text.empty() || text[0] != u'[') return std::nullopt;
  if (text.find(u']') != text.size() - 1) return std::nullopt;
  return TrimView(text.substr(1, text.size() - 2));
}

ParsedTask ParseTaskLines(const BlockLines& blockLines, const std::string& dir) {
  const std::vector<std::u16string_view>& lines = blockLines.Lines();
  const std::size_t firstAnswer = blockLines.FirstAnswer();

  ParsedTask task;
  task.answerItems = ReadItems(lines, firstAnswer, task.joinedItems);
  if (task.answerItems.empty()) return ParsedTask();

  if (firstAnswer > 0) {
    task.questionPicture = FindQuestionPicture(lines[firstAnswer - 1], dir);
  }
  std::size_t questionLines = firstAnswer - (task.questionPicture.empty() ? 0 : 1);
  task.question = JoinQuestion(lines, questionLines);
  if (task.question.empty()) return ParsedTask();

  task.kind = KindOf(lines[firstAnswer][0], task.answerItems);
  if (task.kind != TaskKind::EnterNum && task.kind != TaskKind::EnterText) {
    task.variantPictures = ItemPictures(task.answerItems, dir);
  }
  return task;
}

ParsedTask ParseTaskBlock(std::u16string_view block, const std::string& dir) {
  const BlockLines lines(block);
  ParsedTask task = ParseTaskLines(lines, dir);
  std::deque<std::u16string> owned;
  for (AnswerItem& item : task.answerItems) item.text = owned.emplace_back(item.text);
  task.joinedItems = std::move(owned);
  return task;
}

std::u16string_view AnswerItem::Answer() const {
  return typed ? TypedPartsOf(text).answer : std::u16string_view();
}

std::optional<std::u16string_view> AnswerItem::Caption() const {
  if (!typed) return std::nullopt;
  return TypedPartsOf(text).caption;
}

const std::string& ParsedTask::PictureOf(std::size_t index) const {
  static const std::string kNone;
  return index < variantPictures.size() ? variantPictures[index] : kNone;
}

std::size_t PictureLineInBlock(const BlockLines& blockLines, std::optional<std::size_t> variant) {
  const std::vector<std::u16string_view>& lines = blockLines.Lines();
  const std::size_t firstAnswer = blockLines.FirstAnswer();
  if (!variant) return firstAnswer == 0 ? 0 : firstAnswer - 1;
  std::size_t seen = 0;
  for (std::size_t i = firstAnswer; i < lines.size(); ++i) {
    if (IsAnswerLine(lines[i]) && seen++ == *variant) return i;
  }
  return firstAnswer;
}

std::string ResolvePicturePath(std::u16string_view name, const std::string& dir) {
  const std::array<std::string, 2> places = PicturePlaces(name, dir);
  // A Word document's own pictures come before any file on disk.
  if (auto held = platform::HeldPathOf(places[0])) return *held;
  for (const std::string& place : places) {
    if (platform::IsRegularFile(place)) return place;
  }
  std::vector<std::string> differing = FilesDifferingInCase(places);
  return differing.size() == 1 ? std::move(differing[0]) : std::string();
}

std::vector<std::string> PicturesDifferingInCase(std::u16string_view name, const std::string& dir) {
  return FilesDifferingInCase(PicturePlaces(name, dir));
}

bool IsIntegerText(std::u16string_view text) {
  std::size_t start = text.find_first_not_of(u' ');
  if (start == std::u16string_view::npos) return false;
  text.remove_prefix(start);
  const bool negative = text[0] == u'-';
  if (negative || text[0] == u'+') text.remove_prefix(1);
  if (text.starts_with(u'$') || text.starts_with(u'x') || text.starts_with(u'X')) {
    return IsHexNumber(text.substr(1));
  }
  if (text.starts_with(u"0x") || text.starts_with(u"0X")) {
    return IsHexNumber(text.substr(2));
  }
  return IsDecimalNumber(text, negative);
}

}  // namespace texttoxml::conversion
