// An XML document (XmlDocument): the declaration, the root element, the
// string table that holds every name and text of its nodes, and the writer
// that turns the tree into UTF-8 bytes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/stream.h"
#include "xml/element.h"
#include "xml/node.h"
#include "xml/symbol_table.h"

namespace texttoxml::xml {

// Output layout. Readable: one TAB per level of indentation and CR LF after
// every line. The other layouts write neither indentation nor line breaks
// between the nodes.
enum class XmlFormatType { Compact, Readable, Preserve };

class Document {
 public:
  // Receives the diagnostics of the document's nodes; without one they are
  // dropped.
  using DiagnosticHandler =
      std::function<void(const Node& sender, WarnStyle style, std::string_view message)>;

  // A document holding the declaration and an empty root element of that
  // name, in the Preserve layout.
  static std::unique_ptr<Document> CreateName(std::string_view rootNameUtf8);
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  XmlFormatType XmlFormat() const { return xmlFormat_; }
  void SetXmlFormat(XmlFormatType format) { xmlFormat_ = format; }

  // The first top-level element.
  Element* Root();
  // The declaration, then the root element.
  const NodeList& RootNodes() const { return rootNodes_; }
  SymbolTable& GetSymbolTable() { return symbolTable_; }

  void SetOnDiagnostic(DiagnosticHandler handler) { onDiagnostic_ = std::move(handler); }
  void Diagnose(const Node& sender, WarnStyle style, std::string_view message) const;

  // Writes the whole file: UTF-8 without a byte-order mark, handed to the
  // stream in chunks of BufferWriter::kChunkSize bytes. Raises WriteError
  // when the stream takes nothing.
  void SaveToStream(platform::OutputStream& stream);
  // Replaces the file only once all of it is written: on failure an
  // existing file stays as it was. Raises FCreateError or WriteError.
  void SaveToFile(const std::string& path);

 private:
  Document() = default;

  SymbolTable symbolTable_;
  NodeList rootNodes_;
  XmlFormatType xmlFormat_ = XmlFormatType::Preserve;
  DiagnosticHandler onDiagnostic_;
};

}  // namespace texttoxml::xml
