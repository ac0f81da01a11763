// The failures of reading a Word document. Each message says what the file
// is or what is wrong with it, without the file's name: the front ends put
// "FILE: " before it.
#pragma once

#include <cstdint>
#include <string_view>

#include "error.h"

namespace texttoxml::docx {

// Any document that cannot be read; the subclasses say why.
class DocxError : public Error {
 public:
  using Error::Error;
};

// Not a Word document at all: not a ZIP archive, or a ZIP archive whose
// package relationships name no main document.
class NotWordDocumentError : public DocxError {
 public:
  // "Not a Word document (.docx): the file is not a ZIP archive"
  static NotWordDocumentError NotZip();
  // "Not a Word document (.docx): a ZIP archive that names no Word main
  // document; unpack it ..."
  static NotWordDocumentError NoMainDocument();
  // "Not a Word document (.docx): an Office document of another kind, such
  // as a spreadsheet or a presentation; copy its tasks ..."
  static NotWordDocumentError OtherOfficeDocument();

 private:
  using DocxError::DocxError;
};

// An OLE compound file: a Word 97-2003 document, or a document of any
// version saved with a password, which Word encrypts into such a file.
class CompoundFileError : public DocxError {
 public:
  CompoundFileError();
};

// The package names a main document part that the archive does not hold.
class MissingMainPartError : public DocxError {
 public:
  explicit MissingMainPartError(std::string_view partName);
};

// A truncated or corrupt archive, or a part that is not well-formed XML.
class DamagedDocumentError : public DocxError {
 public:
  // "The Word document is damaged: its ZIP archive is truncated or corrupt (%s)"
  static DamagedDocumentError Archive(std::string_view cause);
  // "The Word document is damaged: part "%s" is not well-formed XML (line %u: %s)"
  static DamagedDocumentError Xml(std::string_view partName, std::uint64_t line,
                                  std::string_view cause);

 private:
  using DocxError::DocxError;
};

// A document past one of the bounds that keep a hostile file from taking
// the machine's memory or time: a ZIP bomb, a DTD, an absurd XML nesting.
class RefusedDocumentError : public DocxError {
 public:
  static RefusedDocumentError TooManyEntries(std::uint64_t count, std::uint64_t limit);
  static RefusedDocumentError PartTooLarge(std::string_view partName, std::uint64_t limit);
  static RefusedDocumentError TotalTooLarge(std::uint64_t limit);
  static RefusedDocumentError CompressionRatio(std::string_view partName, std::uint64_t limit);
  static RefusedDocumentError DocumentType(std::string_view partName);
  static RefusedDocumentError TooDeep(std::string_view partName, std::uint64_t limit);
  static RefusedDocumentError TooManyAttributes(std::string_view partName, std::uint64_t limit);
  static RefusedDocumentError TooManyElements(std::string_view partName, std::uint64_t limit);

 private:
  using DocxError::DocxError;
};

}  // namespace texttoxml::docx
