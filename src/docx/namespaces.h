// The XML namespaces the reader understands. Elements are matched by
// namespace and local name, never by prefix; the strict namespaces of
// ISO 29500 map to the same value as the transitional ones, so that one
// matching serves both kinds of document.
#pragma once

#include <cstdint>
#include <string_view>

namespace texttoxml::docx {

enum class Ns : std::uint8_t {
  None,  // an attribute without prefix, or an element outside every namespace
  Other,
  W,    // WordprocessingML
  R,    // relationship references
  M,    // Office Math
  A,    // DrawingML
  Pic,  // DrawingML pictures
  Wp,   // DrawingML placement in a Word document
  V,    // VML
  O,    // VML's Office extensions
  Mc,   // markup compatibility
  PackageRelationships,
};

// The namespace that `uri` names; Ns::Other for one the reader does not
// know.
Ns NamespaceOf(std::string_view uri);

// Whether the reader understands the content of namespace `uri`, so that
// an mc:Choice that requires it may be read instead of the fallback.
bool IsUnderstood(std::string_view uri);

}  // namespace texttoxml::docx
