#include "docx/docx_errors.h"

#include <string>

#include "platform/translate.h"

namespace texttoxml::docx {

using platform::Format;
using platform::InQuotes;
using platform::Tr;

namespace {

std::string SizeText(std::uint64_t bytes) {
  constexpr std::uint64_t kMiB = 1024 * 1024;
  if (bytes % (1024 * kMiB) == 0) return std::to_string(bytes / (1024 * kMiB)) + " GiB";
  if (bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
  return Format(Tr("{1} bytes"), {std::to_string(bytes)});
}

// "The Word document is refused: " and why.
std::string Refused(std::string_view why) {
  return Format(Tr("The Word document is refused: {1}"), {why});
}

}  // namespace

NotWordDocumentError NotWordDocumentError::NotZip() {
  return NotWordDocumentError(Tr("Not a Word document (.docx): the file is not a ZIP archive"));
}

NotWordDocumentError NotWordDocumentError::NoMainDocument() {
  return NotWordDocumentError(
      Tr("Not a Word document (.docx): a ZIP archive that names no Word main document; unpack "
         "it and convert the task text or Word document it holds"));
}

NotWordDocumentError NotWordDocumentError::OtherOfficeDocument() {
  return NotWordDocumentError(
      Tr("Not a Word document (.docx): an Office document of another kind, such as a "
         "spreadsheet or a presentation; copy its tasks into a Word document or a plain text "
         "file (.txt)"));
}

CompoundFileError::CompoundFileError()
    : DocxError(
          Tr("A Word 97-2003 document (.doc) or a document protected by a password: open it in "
             "Word and save it as a Word document (.docx) without a password (File → Save As → "
             "Word Document)")) {}

MissingMainPartError::MissingMainPartError(std::string_view partName)
    : DocxError(Format(Tr("The Word document is damaged: its main part {1} is missing"),
                       {InQuotes(partName)})) {}

DamagedDocumentError DamagedDocumentError::Archive(std::string_view cause) {
  return DamagedDocumentError(Format(
      Tr("The Word document is damaged: its ZIP archive is truncated or corrupt ({1})"), {cause}));
}

DamagedDocumentError DamagedDocumentError::Xml(std::string_view partName, std::uint64_t line,
                                               std::string_view cause) {
  return DamagedDocumentError(
      Format(Tr("The Word document is damaged: part {1} is not well-formed XML (line {2}: {3})"),
             {InQuotes(partName), std::to_string(line), cause}));
}

RefusedDocumentError RefusedDocumentError::TooManyEntries(std::uint64_t count,
                                                          std::uint64_t limit) {
  return RefusedDocumentError(
      Refused(Format(Tr("its ZIP archive holds {1} entries; the limit is {2}"),
                     {std::to_string(count), std::to_string(limit)})));
}

RefusedDocumentError RefusedDocumentError::PartTooLarge(std::string_view partName,
                                                        std::uint64_t limit) {
  return RefusedDocumentError(Refused(
      Format(Tr("part {1} unpacks to more than {2}"), {InQuotes(partName), SizeText(limit)})));
}

RefusedDocumentError RefusedDocumentError::TotalTooLarge(std::uint64_t limit) {
  return RefusedDocumentError(
      Refused(Format(Tr("its parts unpack to more than {1} in all"), {SizeText(limit)})));
}

RefusedDocumentError RefusedDocumentError::CompressionRatio(std::string_view partName,
                                                            std::uint64_t limit) {
  return RefusedDocumentError(
      Refused(Format(Tr("part {1} is compressed more than {2}:1, as only a ZIP bomb is"),
                     {InQuotes(partName), std::to_string(limit)})));
}

RefusedDocumentError RefusedDocumentError::DocumentType(std::string_view partName) {
  return RefusedDocumentError(
      Refused(Format(Tr("part {1} declares a document type (DTD), which Word never writes"),
                     {InQuotes(partName)})));
}

RefusedDocumentError RefusedDocumentError::TooDeep(std::string_view partName, std::uint64_t limit) {
  return RefusedDocumentError(Refused(Format(Tr("part {1} nests elements deeper than {2}"),
                                             {InQuotes(partName), std::to_string(limit)})));
}

RefusedDocumentError RefusedDocumentError::TooManyAttributes(std::string_view partName,
                                                             std::uint64_t limit) {
  return RefusedDocumentError(
      Refused(Format(Tr("part {1} has an element with more than {2} attributes"),
                     {InQuotes(partName), std::to_string(limit)})));
}

RefusedDocumentError RefusedDocumentError::TooManyElements(std::string_view partName,
                                                           std::uint64_t limit) {
  return RefusedDocumentError(Refused(Format(Tr("part {1} has more than {2} elements"),
                                             {InQuotes(partName), std::to_string(limit)})));
}

}  // namespace texttoxml::docx
