// The editable memo of the conversion tab: the task text with CR LF line
// breaks in and out, shown one line per row, without wrapping.
//
// Qt's text document costs a few microseconds for every paragraph it takes
// in, so a test bank of a million lines held one paragraph per line took
// seconds each time the memo was filled. A long text is therefore held as
// paragraphs of several lines joined by line separators (U+2028), which the
// plain-text layout draws as line breaks just the same, and each paragraph
// is told its line count whenever it changes, so that the scroll bar still
// counts lines.
// A short text, or one that holds a character the document itself treats as
// a break, keeps one paragraph per line, so that its line separators stay
// characters of the text.
#pragma once

#include <QPlainTextEdit>
#include <string>
#include <string_view>

namespace texttoxml::app::gui {

// Texts of at least this many lines are held in paragraphs of
// kMemoLinesPerParagraph lines.
inline constexpr int kMemoGroupedFromLines = 10000;
inline constexpr int kMemoLinesPerParagraph = 256;

class Memo : public QPlainTextEdit {
 public:
  Memo();

  void SetText(std::u16string_view text);
  // With CR LF line breaks and nothing after a U+0000.
  std::u16string Text() const;

 private:
  // Tells the paragraphs in a changed part of a long text their line counts.
  void CountLines(int position, int removed, int added);

  // Whether the line separators in the document are line breaks of the text.
  bool grouped_ = false;
};

}  // namespace texttoxml::app::gui
