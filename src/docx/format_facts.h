// Findings that only the formatting of a document shows, each a simple
// heuristic on the lines and their paragraphs:
//
// NoEmptyParagraph: an answer line (one that starts with a marker) is
// followed, in the next paragraph, by a line without a marker, and spacing
// is set between the two paragraphs (space after the first or space before
// the second, set on the paragraph itself). In Word the two look like
// separate tasks; in the text they are one, the question read as the
// continuation of the answer.
//
// CorrectByFormat: in a task (lines between blank lines) with no "+" line,
// the paragraphs after its first line are the variants; when some of them,
// but not all, are bold or coloured throughout, those are the ones a
// teacher marked as correct by format alone.
#pragma once

#include <vector>

#include "docx/paragraph.h"
#include "docx/text_lines.h"

namespace texttoxml::docx {

// Adds both kinds of fact to `lines.facts`, keeping them in line order.
void AddFormatFacts(const std::vector<Paragraph>& paragraphs, TextLines& lines);

}  // namespace texttoxml::docx
