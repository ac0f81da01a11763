// A body paragraph as the document reader finds it, before it is cut into
// the lines of the task text.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "docx/word_document.h"

namespace texttoxml::docx {

// How a numbering label reads: a decimal number is an answer marker of its
// own (an ordering task's place), a bullet or a letter or roman numeral is
// not.
enum class LabelKind { None, Decimal, Bullet, Other };

struct ListLabel {
  std::u16string text;    // as Word shows it, e.g. "1." or "•"
  std::u16string suffix;  // what follows it: a tab, a space or nothing
  LabelKind kind = LabelKind::None;
};

// Something met at `offset` in the paragraph's text.
struct ParagraphFact {
  FactKind kind;
  std::size_t offset = 0;
  std::u16string detail;
};

// A picture's "[NAME]" written at `offset` of the paragraph's text.
struct PlacedPicture {
  std::size_t offset = 0;
  std::size_t length = 0;
  std::u16string name;
};

struct Paragraph {
  std::size_t number = 0;  // from 1, in body order
  std::u16string text;     // without the label; a soft line break is LF
  ListLabel label;
  bool spaceBefore = false;  // spacing before or after set on the paragraph
  bool spaceAfter = false;
  std::size_t emphasisedRuns = 0;  // runs of visible text that are bold or coloured
  std::size_t plainRuns = 0;       // and those that are neither
  std::vector<ParagraphFact> facts;
  std::vector<PlacedPicture> pictures;
};

}  // namespace texttoxml::docx
