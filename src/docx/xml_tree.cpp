#include "docx/xml_tree.h"

#include <expat.h>

#include <cstddef>
#include <memory>
#include <utility>

#include "docx/docx_errors.h"
#include "docx/limits.h"

namespace texttoxml::docx {

namespace {

// Expat joins a namespace URI and a local name with this character; no
// URI holds it.
constexpr char kSeparator = ' ';

struct QualifiedName {
  Ns ns;
  std::string local;
  std::string uri;
};

QualifiedName Split(const char* expanded) {
  const std::string_view name(expanded);
  const std::size_t at = name.rfind(kSeparator);
  if (at == std::string_view::npos) return {Ns::None, std::string(name), {}};
  const std::string_view uri = name.substr(0, at);
  return {NamespaceOf(uri), std::string(name.substr(at + 1)), std::string(uri)};
}

class TreeBuilder {
 public:
  explicit TreeBuilder(std::string_view partName) : partName_(partName) {}

  XmlElement Parse(std::string_view bytes);

 private:
  static void XMLCALL OnStart(void* self, const char* name, const char** attributes) {
    static_cast<TreeBuilder*>(self)->Start(name, attributes);
  }
  static void XMLCALL OnEnd(void* self, const char*) { static_cast<TreeBuilder*>(self)->End(); }
  static void XMLCALL OnText(void* self, const char* text, int length) {
    static_cast<TreeBuilder*>(self)->Text(text, length);
  }
  static void XMLCALL OnDoctype(void* self, const char*, const char*, const char*, int) {
    static_cast<TreeBuilder*>(self)->Stop(Failure::DocumentType);
  }
  static void XMLCALL OnPrefix(void* self, const char* prefix, const char* uri) {
    static_cast<TreeBuilder*>(self)->prefixes_.emplace_back(prefix ? prefix : "", uri ? uri : "");
  }
  static void XMLCALL OnPrefixEnd(void* self, const char*) {
    auto& prefixes = static_cast<TreeBuilder*>(self)->prefixes_;
    if (!prefixes.empty()) prefixes.pop_back();
  }

  enum class Failure { None, DocumentType, Depth, Attributes, Elements };

  void Start(const char* name, const char** attributes);
  void End();
  void Text(const char* text, int length);
  void Stop(Failure failure);
  std::string ResolvePrefixes(std::string_view prefixes) const;
  [[noreturn]] void RaiseFailure(XML_Parser parser) const;

  std::string_view partName_;
  XML_Parser parser_ = nullptr;
  Failure failure_ = Failure::None;
  XmlElement root_;
  std::vector<XmlElement*> open_;  // the path from the root to the current element
  std::vector<std::pair<std::string, std::string>> prefixes_;  // in scope, innermost last
  std::size_t elements_ = 0;
};

void TreeBuilder::Stop(Failure failure) {
  if (failure_ != Failure::None) return;
  failure_ = failure;
  XML_StopParser(parser_, XML_FALSE);
}

void TreeBuilder::Start(const char* name, const char** attributes) {
  if (failure_ != Failure::None) return;
  if (open_.size() >= kMaxXmlDepth) return Stop(Failure::Depth);
  if (++elements_ > kMaxXmlElements) return Stop(Failure::Elements);
  XmlElement* element = &root_;
  if (!open_.empty()) element = &open_.back()->children.emplace_back();
  QualifiedName qualified = Split(name);
  element->ns = qualified.ns;
  element->name = std::move(qualified.local);
  std::size_t count = 0;
  for (const char** a = attributes; a[0] != nullptr; a += 2) {
    if (++count > kMaxXmlAttributes) return Stop(Failure::Attributes);
    QualifiedName attribute = Split(a[0]);
    std::string value = a[1];
    if (element->Is(Ns::Mc, "Choice") && attribute.ns == Ns::None &&
        attribute.local == "Requires") {
      value = ResolvePrefixes(value);
    }
    element->attributes.push_back({attribute.ns, std::move(attribute.local), std::move(value)});
  }
  open_.push_back(element);
}

void TreeBuilder::End() {
  if (!open_.empty()) open_.pop_back();
}

void TreeBuilder::Text(const char* text, int length) {
  if (!open_.empty() && length > 0)
    open_.back()->text.append(text, static_cast<std::size_t>(length));
}

std::string TreeBuilder::ResolvePrefixes(std::string_view prefixes) const {
  std::string uris;
  std::size_t start = 0;
  while (start < prefixes.size()) {
    std::size_t end = prefixes.find_first_of(" \t\r\n", start);
    if (end == std::string_view::npos) end = prefixes.size();
    const std::string_view prefix = prefixes.substr(start, end - start);
    if (!prefix.empty()) {
      std::string uri = "?";  // an undeclared prefix names nothing understood
      for (auto it = prefixes_.rbegin(); it != prefixes_.rend(); ++it) {
        if (it->first == prefix) {
          uri = it->second;
          break;
        }
      }
      if (!uris.empty()) uris += ' ';
      uris += uri;
    }
    start = end + 1;
  }
  return uris;
}

void TreeBuilder::RaiseFailure(XML_Parser parser) const {
  switch (failure_) {
    case Failure::DocumentType:
      throw RefusedDocumentError::DocumentType(partName_);
    case Failure::Depth:
      throw RefusedDocumentError::TooDeep(partName_, kMaxXmlDepth);
    case Failure::Attributes:
      throw RefusedDocumentError::TooManyAttributes(partName_, kMaxXmlAttributes);
    case Failure::Elements:
      throw RefusedDocumentError::TooManyElements(partName_, kMaxXmlElements);
    case Failure::None:
      break;
  }
  throw DamagedDocumentError::Xml(partName_, XML_GetCurrentLineNumber(parser),
                                  XML_ErrorString(XML_GetErrorCode(parser)));
}

XmlElement TreeBuilder::Parse(std::string_view bytes) {
  std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(
      XML_ParserCreateNS(nullptr, kSeparator), XML_ParserFree);
  if (!parser) throw std::bad_alloc();
  parser_ = parser.get();
  XML_SetUserData(parser_, this);
  XML_SetElementHandler(parser_, OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser_, OnText);
  XML_SetNamespaceDeclHandler(parser_, OnPrefix, OnPrefixEnd);
  XML_SetStartDoctypeDeclHandler(parser_, OnDoctype);
  // Without a document type there are no entities to expand; this also
  // keeps expat from ever asking for an external one.
  XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
  // Parts are at most 64 MiB, so one call takes the whole part.
  const auto status = XML_Parse(parser_, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE);
  if (status != XML_STATUS_OK || failure_ != Failure::None) RaiseFailure(parser_);
  return std::move(root_);
}

}  // namespace

const std::string* XmlElement::Attribute(Ns n, std::string_view local) const {
  for (const auto& attribute : attributes) {
    if (attribute.ns == n && attribute.name == local) return &attribute.value;
  }
  return nullptr;
}

const XmlElement* XmlElement::Child(Ns n, std::string_view local) const {
  for (const auto& child : children) {
    if (child.Is(n, local)) return &child;
  }
  return nullptr;
}

XmlElement ParseXml(std::string_view bytes, std::string_view partName) {
  static_assert(kMaxXmlPartBytes < 0x7FFFFFFF, "a part must fit one XML_Parse call");
  if (bytes.size() > kMaxXmlPartBytes)
    throw RefusedDocumentError::PartTooLarge(partName, kMaxXmlPartBytes);
  return TreeBuilder(partName).Parse(bytes);
}

}  // namespace texttoxml::docx
