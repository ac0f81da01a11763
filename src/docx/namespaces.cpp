#include "docx/namespaces.h"

#include <array>
#include <utility>

namespace texttoxml::docx {

namespace {

constexpr std::array<std::pair<std::string_view, Ns>, 17> kNamespaces{{
    {"http://schemas.openxmlformats.org/wordprocessingml/2006/main", Ns::W},
    {"http://purl.oclc.org/ooxml/wordprocessingml/main", Ns::W},
    {"http://schemas.openxmlformats.org/officeDocument/2006/relationships", Ns::R},
    {"http://purl.oclc.org/ooxml/officeDocument/relationships", Ns::R},
    {"http://schemas.openxmlformats.org/officeDocument/2006/math", Ns::M},
    {"http://purl.oclc.org/ooxml/officeDocument/math", Ns::M},
    {"http://schemas.openxmlformats.org/drawingml/2006/main", Ns::A},
    {"http://purl.oclc.org/ooxml/drawingml/main", Ns::A},
    {"http://schemas.openxmlformats.org/drawingml/2006/picture", Ns::Pic},
    {"http://purl.oclc.org/ooxml/drawingml/picture", Ns::Pic},
    {"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing", Ns::Wp},
    {"http://purl.oclc.org/ooxml/drawingml/wordprocessingDrawing", Ns::Wp},
    {"urn:schemas-microsoft-com:vml", Ns::V},
    {"urn:schemas-microsoft-com:office:office", Ns::O},
    {"http://schemas.openxmlformats.org/markup-compatibility/2006", Ns::Mc},
    {"http://schemas.openxmlformats.org/package/2006/relationships", Ns::PackageRelationships},
    {"", Ns::None},
}};

}  // namespace

Ns NamespaceOf(std::string_view uri) {
  for (const auto& [known, ns] : kNamespaces) {
    if (known == uri) return ns;
  }
  return Ns::Other;
}

bool IsUnderstood(std::string_view uri) {
  const Ns ns = NamespaceOf(uri);
  return ns != Ns::Other && ns != Ns::None;
}

}  // namespace texttoxml::docx
