// What only a Word document has, told as findings on the lines of the text
// read from it: a question number left out, a bullet where a marker
// belongs, a picture inside a sentence, an equation written as text, a
// linked picture, parts of the document that are not read, and the habits
// of Word (spacing instead of an empty paragraph, bold instead of "+").
#pragma once

#include <string>
#include <vector>

#include "check/diagnostics.h"
#include "docx/word_document.h"

namespace texttoxml::check {

// A finding for each fact, sorted by line. `dir` is the document's folder,
// where linked pictures are looked for.
std::vector<Finding> DocumentFindings(const std::vector<docx::Fact>& facts, const std::string& dir);

// Adds them to `diagnosis`, keeping its findings sorted by line.
void AddDocumentFindings(const std::vector<docx::Fact>& facts, const std::string& dir,
                         Diagnosis& diagnosis);

}  // namespace texttoxml::check
