#include "docx/docx_errors.h"

#include <string>

namespace texttoxml::docx {

namespace {

std::string Quoted(std::string_view name) {
  return "\"" + std::string(name) + "\"";
}

std::string SizeText(std::uint64_t bytes) {
  constexpr std::uint64_t kMiB = 1024 * 1024;
  if (bytes % (1024 * kMiB) == 0) return std::to_string(bytes / (1024 * kMiB)) + " GiB";
  if (bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
  return std::to_string(bytes) + " bytes";
}

constexpr std::string_view kRefused = "The Word document is refused: ";

}  // namespace

NotWordDocumentError NotWordDocumentError::NotZip() {
  return NotWordDocumentError("Not a Word document (.docx): the file is not a ZIP archive");
}

NotWordDocumentError NotWordDocumentError::NoMainDocument() {
  return NotWordDocumentError(
      "Not a Word document (.docx): a ZIP archive that names no Word main document; unpack it "
      "and convert the task text or Word document it holds");
}

NotWordDocumentError NotWordDocumentError::OtherOfficeDocument() {
  return NotWordDocumentError(
      "Not a Word document (.docx): an Office document of another kind, such as a spreadsheet "
      "or a presentation; copy its tasks into a Word document or a plain text file (.txt)");
}

CompoundFileError::CompoundFileError()
    : DocxError(
          "A Word 97-2003 document (.doc) or a document protected by a password: open it in "
          "Word and save it as a Word document (.docx) without a password (File \u2192 Save As "
          "\u2192 Word Document)") {}

MissingMainPartError::MissingMainPartError(std::string_view partName)
    : DocxError("The Word document is damaged: its main part " + Quoted(partName) + " is missing") {
}

DamagedDocumentError DamagedDocumentError::Archive(std::string_view cause) {
  return DamagedDocumentError(
      "The Word document is damaged: its ZIP archive is truncated or corrupt (" +
      std::string(cause) + ")");
}

DamagedDocumentError DamagedDocumentError::Xml(std::string_view partName, std::uint64_t line,
                                               std::string_view cause) {
  return DamagedDocumentError("The Word document is damaged: part " + Quoted(partName) +
                              " is not well-formed XML (line " + std::to_string(line) + ": " +
                              std::string(cause) + ")");
}

RefusedDocumentError RefusedDocumentError::TooManyEntries(std::uint64_t count,
                                                          std::uint64_t limit) {
  return RefusedDocumentError(std::string(kRefused) + "its ZIP archive holds " +
                              std::to_string(count) + " entries; the limit is " +
                              std::to_string(limit));
}

RefusedDocumentError RefusedDocumentError::PartTooLarge(std::string_view partName,
                                                        std::uint64_t limit) {
  return RefusedDocumentError(std::string(kRefused) + "part " + Quoted(partName) +
                              " unpacks to more than " + SizeText(limit));
}

RefusedDocumentError RefusedDocumentError::TotalTooLarge(std::uint64_t limit) {
  return RefusedDocumentError(std::string(kRefused) + "its parts unpack to more than " +
                              SizeText(limit) + " in all");
}

RefusedDocumentError RefusedDocumentError::CompressionRatio(std::string_view partName,
                                                            std::uint64_t limit) {
  return RefusedDocumentError(std::string(kRefused) + "part " + Quoted(partName) +
                              " is compressed more than " + std::to_string(limit) +
                              ":1, as only a ZIP bomb is");
}

RefusedDocumentError RefusedDocumentError::DocumentType(std::string_view partName) {
  return RefusedDocumentError(std::string(kRefused) + "part " + Quoted(partName) +
                              " declares a document type (DTD), which Word never writes");
}

RefusedDocumentError RefusedDocumentError::TooDeep(std::string_view partName, std::uint64_t limit) {
  return RefusedDocumentError(std::string(kRefused) + "part " + Quoted(partName) +
                              " nests elements deeper than " + std::to_string(limit));
}

RefusedDocumentError RefusedDocumentError::TooManyAttributes(std::string_view partName,
                                                             std::uint64_t limit) {
  return RefusedDocumentError(std::string(kRefused) + "part " + Quoted(partName) +
                              " has an element with more than " + std::to_string(limit) +
                              " attributes");
}

RefusedDocumentError RefusedDocumentError::TooManyElements(std::string_view partName,
                                                           std::uint64_t limit) {
  return RefusedDocumentError(std::string(kRefused) + "part " + Quoted(partName) +
                              " has more than " + std::to_string(limit) + " elements");
}

}  // namespace texttoxml::docx
