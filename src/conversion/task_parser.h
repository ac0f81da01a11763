// The task syntax: one block of question lines followed by answer lines.
//
// An answer line begins with a marker: "+" or "-" (a choice variant, "+" for a
// correct one), a digit "1" to "9" (a variant with its place in the correct
// order) or "=" (an answer to be typed in, optionally after a "{caption}").
// The first answer line's marker decides the kind of the whole task; a line
// without a marker after it continues the answer line before. A last
// question line "[name]" or "@name" names the question picture, and a
// variant "[name]" a picture that stands for the variant.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace texttoxml::conversion {

enum class TaskKind {
  NoTask = 0,
  ChoiceSingle = 1,
  ChoiceMultiple = 2,
  ChoiceOrder = 4,
  EnterNum = 6,
  EnterText = 7
};

// Every kind, in the order reports list them.
inline constexpr std::array<TaskKind, 6> kTaskKinds = {
    TaskKind::ChoiceSingle, TaskKind::ChoiceMultiple, TaskKind::ChoiceOrder,
    TaskKind::EnterNum,     TaskKind::EnterText,      TaskKind::NoTask};

// The Type value the import format uses for a kind; empty for NoTask.
std::string_view TaskTypeName(TaskKind kind);

// The test document holds at most this many variants of a task, so only
// their pictures are looked up.
inline constexpr std::size_t kMaxWrittenVariants = 10;

// An answer line with its continuation lines. The texts are views into the
// block as the parser read it, or into the task's own copy of an item that
// continuation lines join: a task of a million one-line answers holds no
// second copy of them.
struct AnswerItem {
  std::u16string_view text;  // without marker (and order number), trimmed
  // Choice: 1 for a correct variant, else 0. Order: the correct place 1 to
  // 10, or -1 when the item has no valid one. Enter kinds: 0.
  std::int32_t mark = 0;
  bool typed = false;  // an item of the enter kinds

  // Enter kinds: the text to type in, and the caption of "{caption} answer";
  // empty and none for the other kinds.
  std::u16string_view Answer() const;
  std::optional<std::u16string_view> Caption() const;
};

// A parsed block. Its items are views into the block and its BlockLines,
// which must outlive it, and into its own copies; hence it moves but is not
// copied.
struct ParsedTask {
  ParsedTask() = default;
  ParsedTask(ParsedTask&&) = default;
  ParsedTask& operator=(ParsedTask&&) = default;
  ParsedTask(const ParsedTask&) = delete;
  ParsedTask& operator=(const ParsedTask&) = delete;

  // Choice and order kinds: the file that item `index` names as "[name]";
  // empty when it names none, and past the items written.
  const std::string& PictureOf(std::size_t index) const;

  TaskKind kind = TaskKind::NoTask;
  std::u16string question;      // question lines joined; may hold CR LF
  std::string questionPicture;  // path, or empty
  std::vector<AnswerItem> answerItems;
  // The pictures of the first kMaxWrittenVariants items, by index; only
  // those are looked up.
  std::vector<std::string> variantPictures;
  // Items that continuation lines join, which the items view; a deque
  // moves without moving them.
  std::deque<std::u16string> joinedItems;
};

// A block cut into lines the way the parser reads it: a typographic dash at
// the start of any line but the first already reads as "-". The lines are
// views into the block, which must outlive them, or into the object's own
// copy when a dash was replaced; hence not copyable. The one cutting serves
// the parser and the checks alike.
class BlockLines {
 public:
  explicit BlockLines(std::u16string_view block);
  BlockLines(const BlockLines&) = delete;
  BlockLines& operator=(const BlockLines&) = delete;

  const std::vector<std::u16string_view>& Lines() const { return lines_; }
  // Index of the first answer line; Lines().size() when there is none.
  std::size_t FirstAnswer() const { return firstAnswer_; }
  // Line `index` as written, with its dash where one was read as "-".
  std::u16string_view WrittenLine(std::size_t index) const;

 private:
  std::u16string_view block_;
  std::u16string text_;  // the copy, when one was needed
  std::vector<std::u16string_view> lines_;
  std::size_t firstAnswer_ = 0;
};

// True when the line begins with one of the answer markers "+", "-", "1" to
// "9" or "=".
bool IsAnswerLine(std::u16string_view line);

// The trimmed name of a text that is "[" name "]" as a whole.
std::optional<std::u16string_view> BracketedName(std::u16string_view text);

// Parses one task block already cut into lines, which must outlive the
// result. `dir` is the folder of the opened text file (UTF-8, empty when
// none), where picture names are also looked for. A block without answer
// lines or without question text gives an empty NoTask result.
ParsedTask ParseTaskLines(const BlockLines& lines, const std::string& dir);

// The same for a block on its own: the task holds copies of its items'
// texts, so that it outlives the block.
ParsedTask ParseTaskBlock(std::u16string_view block, const std::string& dir);

// The line of a block (from 0) that names a picture: its question picture
// line when `variant` is empty, else the line where that answer begins.
std::size_t PictureLineInBlock(const BlockLines& lines, std::optional<std::size_t> variant);

// The path of a picture file named in a task: a picture of that name that a
// Word document holds (see platform/held_files.h), else the name itself when
// a regular file exists there, else `dir` "/" name when one exists there,
// else empty.
// else the one file there whose name differs from it only in letter case
// (see PicturesDifferingInCase), else empty.
std::string ResolvePicturePath(std::u16string_view name, const std::string& dir);

// The files a picture name that is not found as written may mean: those, in
// the places ResolvePicturePath looks, whose names differ from its last
// part only in letter case. One of them is taken as the picture; of
// several, none is.
std::vector<std::string> PicturesDifferingInCase(std::u16string_view name, const std::string& dir);

// True for an optionally signed whole number that fits 32 bits, in decimal
// or after a "$", "x", "X", "0x" or "0X" prefix in up to eight hexadecimal
// digits, with nothing but leading spaces around it.
bool IsIntegerText(std::u16string_view text);

}  // namespace texttoxml::conversion
