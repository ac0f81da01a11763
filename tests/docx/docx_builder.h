// Word documents made in the test itself: a ZIP archive written with libzip
// into memory, holding the parts a test names, and the namespace
// declarations every WordprocessingML part starts with.
#pragma once

#include <zip.h>

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

namespace texttoxml::testing {

// The namespaces of a main document part, as Word declares them.
inline constexpr std::string_view kWordNamespaces =
    R"( xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main")"
    R"( xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships")"
    R"( xmlns:m="http://schemas.openxmlformats.org/officeDocument/2006/math")"
    R"( xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main")"
    R"( xmlns:pic="http://schemas.openxmlformats.org/drawingml/2006/picture")"
    R"( xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing")"
    R"( xmlns:v="urn:schemas-microsoft-com:vml" xmlns:o="urn:schemas-microsoft-com:office:office")"
    R"( xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006")"
    R"( xmlns:wps="http://schemas.microsoft.com/office/word/2010/wordprocessingShape")";

inline constexpr std::string_view kRelationshipType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

// Adds `parts` (name to bytes) to an archive open for writing and writes
// it; the bytes must live until then.
inline void WriteParts(zip_t* archive, const std::map<std::string, std::string>& parts) {
  for (const auto& [name, bytes] : parts) {
    zip_source_t* part = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    const zip_int64_t index = zip_file_add(archive, name.c_str(), part, ZIP_FL_ENC_UTF_8);
    if (index < 0) throw std::runtime_error("cannot add " + name);
    // An empty part is stored: a compressor set up for nothing costs more
    // than the whole part, which matters for archives of many entries.
    if (bytes.empty())
      zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  if (zip_close(archive) != 0) throw std::runtime_error("cannot write the ZIP archive");
}

// A ZIP archive holding `parts`, compressed with deflate, made in memory.
inline std::string ZipArchive(const std::map<std::string, std::string>& parts) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  if (archive == nullptr) throw std::runtime_error("cannot create a ZIP archive in memory");
  zip_source_keep(buffer);
  WriteParts(archive, parts);
  zip_stat_t stat;
  zip_source_stat(buffer, &stat);
  std::string bytes(stat.size, '\0');
  zip_source_open(buffer);
  zip_source_read(buffer, bytes.data(), bytes.size());
  zip_source_close(buffer);
  zip_source_free(buffer);
  return bytes;
}

// The relationships part listing (id, type name, target) triples; a type
// name without "/" is one of the officeDocument relationship types, and a
// target starting with "!" is external.
inline std::string RelationshipsPart(
    std::initializer_list<std::tuple<std::string, std::string, std::string>> relationships) {
  std::string xml =
      R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
      R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
  for (const auto& [id, type, target] : relationships) {
    const bool external = target.starts_with('!');
    xml += R"(<Relationship Id=")" + id + R"(" Type=")" +
           (type.find('/') == std::string::npos ? std::string(kRelationshipType) + type : type) +
           R"(" Target=")" + (external ? target.substr(1) : target) + "\"" +
           (external ? R"( TargetMode="External")" : "") + "/>";
  }
  return xml + "</Relationships>";
}

// A document's parts, with the package relationships and a main part
// holding `body` inside w:body; add more parts before calling Bytes().
class DocxBuilder {
 public:
  explicit DocxBuilder(std::string_view body) {
    parts_["[Content_Types].xml"] =
        R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Default Extension="xml" ContentType="application/xml"/></Types>)";
    parts_["_rels/.rels"] = RelationshipsPart({{"rId1", "officeDocument", "word/document.xml"}});
    parts_["word/document.xml"] =
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?><w:document)" +
        std::string(kWordNamespaces) + "><w:body>" + std::string(body) + "</w:body></w:document>";
  }

  DocxBuilder& Part(const std::string& name, std::string bytes) {
    parts_[name] = std::move(bytes);
    return *this;
  }
  // The main part's relationships.
  DocxBuilder& Relationships(
      std::initializer_list<std::tuple<std::string, std::string, std::string>> relationships) {
    return Part("word/_rels/document.xml.rels", RelationshipsPart(relationships));
  }
  // A numbering part (its content inside w:numbering) and its relationship.
  DocxBuilder& Numbering(std::string_view content) {
    return Part("word/numbering.xml", "<w:numbering" + std::string(kWordNamespaces) + ">" +
                                          std::string(content) + "</w:numbering>");
  }

  std::string Bytes() const { return ZipArchive(parts_); }

 private:
  std::map<std::string, std::string> parts_;
};

}  // namespace texttoxml::testing

#include "docx/word_document.h"
#include "platform/utf.h"

namespace texttoxml::testing {

// A paragraph holding one run of text.
inline std::string Para(std::string_view text) {
  return "<w:p><w:r><w:t xml:space=\"preserve\">" + std::string(text) + "</w:t></w:r></w:p>";
}

// The task text of a document with `body`, as UTF-8 for readable failures.
inline std::string TextOfBody(std::string_view body) {
  return platform::Utf16ToUtf8(docx::ReadWordDocument(DocxBuilder(body).Bytes()).text);
}

inline std::string Utf8(std::u16string_view text) {
  return platform::Utf16ToUtf8(text);
}

}  // namespace texttoxml::testing
