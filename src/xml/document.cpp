#include "xml/document.h"

#include <algorithm>

#include "error.h"
#include "platform/files.h"
#include "xml/buffer_writer.h"
#include "xml/declaration.h"
#include "xml/element.h"

namespace texttoxml::xml {

std::unique_ptr<Document> Document::CreateName(std::string_view rootNameUtf8) {
  std::unique_ptr<Document> document(new Document());
  document->rootNodes_.push_back(&document->NewNode<Declaration>());
  auto& root = document->NewNode<Element>();
  root.SetName(rootNameUtf8);
  document->rootNodes_.push_back(&root);
  return document;
}

Element* Document::Root() {
  for (Node* node : rootNodes_)
    if (node->ElementType() == XmlNodeKind::Element) return static_cast<Element*>(node);
  return nullptr;
}

bool Document::IsTopLevel(const Node& node) const {
  return std::find(rootNodes_.begin(), rootNodes_.end(), &node) != rootNodes_.end();
}

const ValueSource& Document::KeepSource(std::unique_ptr<ValueSource> source) {
  sources_.push_back(std::move(source));
  return *sources_.back();
}

void Document::ReleaseSince(const Checkpoint& checkpoint) {
  sources_.resize(checkpoint.sourceCount);
  nodes_.Rewind(checkpoint.nodes);
  symbolTable_.Rewind(checkpoint.texts);
}

void Document::Diagnose(const Node& sender, WarnStyle style, std::string_view message) const {
  if (onDiagnostic_) onDiagnostic_(sender, style, message);
}

void Document::SaveToStream(platform::OutputStream& stream) {
  RaisingOnOutOfMemory(
      [&] {
        BufferWriter writer(stream);
        for (const Node* node : rootNodes_) node->WriteStream(writer);
        writer.Flush();
      },
      [] { return OutOfMemoryError::WritingXmlDocument(); });
}

void Document::SaveToFile(const std::string& path) {
  platform::FileOutputStream file(path);
  SaveToStream(file);
  file.Commit();
}

}  // namespace texttoxml::xml
