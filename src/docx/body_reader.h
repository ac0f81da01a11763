// The body of the main document part as paragraphs: text, numbering
// labels, pictures, equations, and the facts met on the way.
//
// Runs are joined; a soft line break becomes LF, a tab a tab. Tracked
// insertions are kept and deletions dropped; of a field, its result is
// kept and its instruction dropped; hidden text is dropped. Content
// controls, hyperlinks, smart tags and custom XML are unwrapped. Tables are
// read row by row, each cell paragraph a paragraph. Text boxes, comments,
// footnotes, headers and footers are not read. Of an mc:AlternateContent,
// exactly one branch is read: the first mc:Choice whose required
// namespaces are all understood, else mc:Fallback.
#pragma once

#include <optional>
#include <vector>

#include "docx/numbering.h"
#include "docx/paragraph.h"
#include "docx/picture_set.h"
#include "docx/symbol_fonts.h"
#include "docx/xml_tree.h"

namespace texttoxml::docx {

class BodyReader {
 public:
  BodyReader(Numbering& numbering, PictureSet& pictures)
      : numbering_(numbering), pictures_(pictures) {}

  // The paragraphs of a w:body element, in order.
  std::vector<Paragraph> Read(const XmlElement& body);

 private:
  struct RunStyle {
    bool hidden = false;
    bool emphasised = false;  // bold or coloured
    int script = 0;           // 1 superscript, -1 subscript
    SymbolFont font = SymbolFont::None;
  };

  void Blocks(const XmlElement& container);
  void ReadParagraph(const XmlElement& paragraph);
  void ReadParagraphProperties(const XmlElement& properties);
  void Inlines(const XmlElement& container);
  void Inline(const XmlElement& element);
  void ReadRun(const XmlElement& run);
  void RunContent(const XmlElement& element, const RunStyle& style);
  void Text(const std::string& utf8, const RunStyle& style);
  void FieldCharacter(const XmlElement& element);
  void Graphic(const XmlElement& element, std::optional<ShownSize> size);
  void Picture(const std::string* relationshipId, std::optional<ShownSize> size);
  void Math(const XmlElement& math);
  void Note(FactKind kind, std::u16string detail = {});
  bool InFieldResult() const;

  Numbering& numbering_;
  PictureSet& pictures_;
  std::vector<Paragraph> paragraphs_;
  Paragraph paragraph_;       // the one being read
  std::vector<bool> fields_;  // open complex fields: whether each is past its separator
  bool tableStarts_ = false;  // the next paragraph is a table's first
};

// The branch of an mc:AlternateContent to read; nullptr when it has none.
const XmlElement* ChosenBranch(const XmlElement& alternate);

}  // namespace texttoxml::docx
