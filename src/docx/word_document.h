// Reading a Word document (.docx) held in memory: the task text it holds,
// the pictures that text names, and what only a document has, for the
// findings. Nothing on disk is read or written.
//
// Each body paragraph is a line (a soft line break starts another line of
// the same paragraph); table cells are read row by row, each paragraph a
// line. Automatic numbering and bullets are written as Word shows them,
// except on the first line of a task, where the label is the question's
// number and is dropped. A picture stands in its line as "[NAME]", a linked
// one as "[TARGET]", and an equation as its linear text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace texttoxml::docx {

// Whether `bytes` are a ZIP archive whose package relationships name a main
// document part (the officeDocument relationship, transitional or strict).
bool IsWordDocument(std::string_view bytes);

struct DocumentPicture {
  // As the text names it: the last segment of the part name; a second part
  // with the same last segment gets "-2" (then "-3", ...) before the
  // extension. UTF-8.
  std::string name;
  // The part's bytes; a Windows metafile without a placeable header gets
  // one, from the size the document shows it at.
  std::string bytes;
  // The lower-case extension a picture kind should load it as: the name's
  // own when it is one of bmp, png, jpg/jpeg, gif, ico, wmf, emf, tif/tiff;
  // else one found from the content (png, jpg, gif, bmp, tif, wmf, emf);
  // empty when neither.
  std::string extension;
};

struct LineOrigin {
  std::size_t paragraph = 0;  // the body paragraph, from 1 (table-cell paragraphs count too)
  std::u16string firstWords;  // the paragraph's first words, about 40 characters, cut at a word
};

enum class FactKind {
  DroppedNumber,       // a numbering label dropped on a task's first line; detail: the label
  BulletBeforeAnswer,  // a bullet or letter label before a line where a marker belongs; detail: the
                       // label
  PictureInSentence,   // a picture with text beside it in its line; detail: its name
  Equation,            // an equation written as linear text; detail: the text
  LinkedPicture,       // a picture linked, not embedded; detail: the target as written
  Table,               // the first paragraph of a table
  TextBox,             // a text box, whose text is not read
  Comment,             // a comment, which is not read
  TrackedChange,       // a tracked insertion (kept) or deletion (dropped)
  HiddenText,          // hidden text, dropped
  NoEmptyParagraph,    // a task that follows an answer with spacing instead of an empty paragraph;
                       // detail: the line
  CorrectByFormat,     // a variant set apart only by bold or colour; detail: the line
};

struct Fact {
  FactKind kind;
  std::size_t line = 0;  // the line of the text (from 1) where it is met
  std::u16string detail;
};

struct WordText {
  std::u16string text;                    // the task text: lines joined with CR LF
  std::vector<LineOrigin> lines;          // one per line of `text`
  std::vector<DocumentPicture> pictures;  // those the text names, in order of first use
  std::vector<Fact> facts;                // in line order
};

// Raises a DocxError (docx/docx_errors.h) on anything that is not a
// readable Word document; nothing is returned in part.
WordText ReadWordDocument(std::string_view bytes);

}  // namespace texttoxml::docx
