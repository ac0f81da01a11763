// The paragraphs of a document cut into the lines of the task text.
//
// A numbering label is written before its paragraph's text, except on the
// first line of a task (at the start, or after a blank line), where it is
// the question's number: there it is dropped, and the DroppedNumber fact
// says so. A kept bullet or a label other than a decimal number stands
// where an answer marker belongs and is a BulletBeforeAnswer fact, unless
// it is a dash, which reads as the "-" marker.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "docx/paragraph.h"
#include "docx/word_document.h"

namespace texttoxml::docx {

struct TextLines {
  std::vector<std::u16string> lines;
  std::vector<LineOrigin> origins;           // one per line
  std::vector<std::size_t> paragraphOfLine;  // index into the paragraphs, one per line
  std::vector<bool> startsParagraph;         // one per line
  std::vector<Fact> facts;                   // in line order
};

TextLines CutIntoLines(const std::vector<Paragraph>& paragraphs);

// The first words of a paragraph's text as a teacher finds it: about 40
// characters, cut at a word, line breaks and tabs read as spaces.
std::u16string FirstWords(std::u16string_view text);

// The text without its leading and trailing blanks (U+0000 to U+0020, as
// the task text counts them), as a view into `text`.
std::u16string_view TrimView(std::u16string_view text);

// Whether a line starts with an answer marker: "+", "-", "=", a digit or a
// dash.
bool StartsWithMarker(std::u16string_view line);

}  // namespace texttoxml::docx
