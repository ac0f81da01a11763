// An XML document (XmlDocument): the declaration, the root element, the
// string table that holds every name and text of its nodes, and the writer
// that turns the tree into UTF-8 bytes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/stream.h"
#include "xml/arena.h"
#include "xml/element.h"
#include "xml/node.h"
#include "xml/sourced_text.h"
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
  const std::vector<Node*>& RootNodes() const { return rootNodes_; }
  bool IsTopLevel(const Node& node) const;

  // A new node of this document, in no list yet. It lives as long as the
  // document.
  template <class T, class... Args>
  T& NewNode(Args&&... args) {
    return nodes_.New<T>(this, std::forward<Args>(args)...);
  }
  SymbolTable& GetSymbolTable() { return symbolTable_; }

  // A point in the document's life to come back to: the nodes and texts
  // made after it can be released at once, so that a document written one
  // part at a time (ElementStream) holds only the part being written.
  struct Checkpoint {
    Arena::Mark nodes;
    SymbolTable::Mark texts;
    std::size_t sourceCount = 0;
  };
  Checkpoint Here() const { return {nodes_.Here(), symbolTable_.Here(), sources_.size()}; }
  // Releases the nodes and texts made since `checkpoint`. None of those
  // nodes may still be in the tree, and no older node may hold one of
  // those texts.
  void ReleaseSince(const Checkpoint& checkpoint);
  // Keeps the source of a value written at writing time (SourcedText) as
  // long as the nodes made until now.
  const ValueSource& KeepSource(std::unique_ptr<ValueSource> source);

  // Room for converting a text before it is stored: one buffer for the
  // whole document, so that setting a value takes no allocation of its own.
  std::string& ConversionBuffer() { return conversionBuffer_; }

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

  Arena nodes_;
  SymbolTable symbolTable_;
  std::vector<Node*> rootNodes_;
  std::vector<std::unique_ptr<ValueSource>> sources_;
  std::string conversionBuffer_;
  XmlFormatType xmlFormat_ = XmlFormatType::Preserve;
  DiagnosticHandler onDiagnostic_;
};

}  // namespace texttoxml::xml
