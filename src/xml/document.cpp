#include "xml/document.h"

#include "platform/files.h"
#include "xml/buffer_writer.h"
#include "xml/declaration.h"
#include "xml/element.h"

namespace texttoxml::xml {

std::unique_ptr<Document> Document::CreateName(std::string_view rootNameUtf8) {
  std::unique_ptr<Document> document(new Document());
  document->rootNodes_.push_back(std::make_unique<Declaration>(document.get()));
  auto root = std::make_unique<Element>(document.get());
  root->SetName(rootNameUtf8);
  document->rootNodes_.push_back(std::move(root));
  return document;
}

Element* Document::Root() {
  for (auto& node : rootNodes_)
    if (node->ElementType() == XmlNodeKind::Element) return static_cast<Element*>(node.get());
  return nullptr;
}

void Document::Diagnose(const Node& sender, WarnStyle style,
                        std::string_view message) const {
  if (onDiagnostic_) onDiagnostic_(sender, style, message);
}

void Document::SaveToStream(platform::OutputStream& stream) {
  BufferWriter writer(stream);
  for (const auto& node : rootNodes_) node->WriteStream(writer);
  writer.Flush();
}

void Document::SaveToFile(const std::string& path) {
  platform::FileOutputStream file(path);
  SaveToStream(file);
  file.Commit();
}

}  // namespace texttoxml::xml
