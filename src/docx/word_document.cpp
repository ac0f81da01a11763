#include "docx/word_document.h"

#include <optional>

#include "docx/body_reader.h"
#include "docx/docx_errors.h"
#include "docx/format_facts.h"
#include "docx/limits.h"
#include "docx/numbering.h"
#include "docx/package.h"
#include "docx/picture_set.h"
#include "docx/relationships.h"
#include "docx/text_lines.h"
#include "docx/xml_tree.h"

namespace texttoxml::docx {

namespace {

std::optional<std::string> MainPartName(Package& package) {
  return Relationships::Read(package, "").TargetOfType("officeDocument");
}

// A part the main document relates to with type `typeName`, parsed; nullopt
// when there is none.
std::optional<XmlElement> RelatedPart(Package& package, const Relationships& relationships,
                                      std::string_view typeName) {
  const auto name = relationships.TargetOfType(typeName);
  if (!name) return std::nullopt;
  const auto bytes = package.Read(*name, kMaxXmlPartBytes);
  if (!bytes) return std::nullopt;
  return ParseXml(*bytes, *name);
}

std::u16string JoinedLines(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += u"\r\n";
    text += lines[i];
  }
  return text;
}

}  // namespace

bool IsWordDocument(std::string_view bytes) {
  try {
    Package package(bytes);
    return MainPartName(package).has_value();
  } catch (const Error&) {
    return false;
  }
}

WordText ReadWordDocument(std::string_view bytes) {
  Package package(bytes);
  const auto mainPart = MainPartName(package);
  if (!mainPart) throw NotWordDocumentError::NoMainDocument();
  const auto mainBytes = package.Read(*mainPart, kMaxXmlPartBytes);
  if (!mainBytes) throw MissingMainPartError(*mainPart);
  const XmlElement document = ParseXml(*mainBytes, *mainPart);
  const XmlElement* body = document.Child(Ns::W, "body");
  if (!document.Is(Ns::W, "document") || body == nullptr)
    throw NotWordDocumentError::OtherOfficeDocument();

  const Relationships relationships = Relationships::Read(package, *mainPart);
  const auto numberingPart = RelatedPart(package, relationships, "numbering");
  const auto stylesPart = RelatedPart(package, relationships, "styles");
  Numbering numbering(numberingPart ? &*numberingPart : nullptr,
                      stylesPart ? &*stylesPart : nullptr);
  PictureSet pictures(package, relationships);
  const std::vector<Paragraph> paragraphs = BodyReader(numbering, pictures).Read(*body);

  TextLines lines = CutIntoLines(paragraphs);
  AddFormatFacts(paragraphs, lines);
  WordText result;
  result.text = JoinedLines(lines.lines);
  result.lines = std::move(lines.origins);
  result.pictures = pictures.Take();
  result.facts = std::move(lines.facts);
  return result;
}

}  // namespace texttoxml::docx
