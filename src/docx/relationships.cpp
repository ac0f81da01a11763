#include "docx/relationships.h"

#include <vector>

#include "docx/limits.h"
#include "docx/package.h"
#include "docx/word_values.h"
#include "docx/xml_tree.h"

namespace texttoxml::docx {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string PercentDecoded(std::string_view text) {
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

namespace {

std::string RelationshipsPartName(std::string_view partName) {
  const std::size_t slash = partName.rfind('/');
  const std::string_view folder = slash == std::string_view::npos ? ""
                                                                  : partName.substr(0, slash + 1);
  const std::string_view name = slash == std::string_view::npos ? partName
                                                                : partName.substr(slash + 1);
  return std::string(folder) + "_rels/" + std::string(name) + ".rels";
}

}  // namespace

std::string ResolvePartName(std::string_view source, std::string_view target) {
  std::string path;
  const std::size_t slash = source.rfind('/');
  if (!target.starts_with('/') && slash != std::string_view::npos)
    path = source.substr(0, slash + 1);
  path += target;
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string segment(std::string_view(path).substr(start, end - start));
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(std::move(segment));
    }
    start = end + 1;
  }
  std::string name;
  for (const auto& segment : segments) {
    if (!name.empty()) name += '/';
    name += segment;
  }
  return name;
}

// A file URL names a path on a host: "file:///C:/a.png" the drive path
// "C:/a.png", "file://localhost/home/a.png" the local "/home/a.png" and
// "file://server/share/a.png" the network path "//server/share/a.png".
std::string ExternalTargetText(std::string_view target) {
  constexpr std::string_view kScheme = "file://";
  if (target.size() < kScheme.size() || AsciiLower(target.substr(0, kScheme.size())) != kScheme) {
    return PercentDecoded(target);
  }
  std::string_view rest = target.substr(kScheme.size());
  const std::size_t slash = rest.find('/');
  const std::string_view host = rest.substr(0, slash);
  std::string path = PercentDecoded(slash == std::string_view::npos ? "" : rest.substr(slash));
  if (!host.empty() && AsciiLower(host) != "localhost") return "//" + std::string(host) + path;
  const bool drive = path.size() >= 3 && path[0] == '/' && path[2] == ':' &&
                     ((path[1] >= 'A' && path[1] <= 'Z') || (path[1] >= 'a' && path[1] <= 'z'));
  return drive ? path.substr(1) : path;
}

Relationships Relationships::Read(Package& package, std::string_view partName) {
  const std::string relsName = RelationshipsPartName(partName);
  Relationships relationships;
  const auto bytes = package.Read(relsName, kMaxXmlPartBytes);
  if (!bytes) return relationships;
  const XmlElement root = ParseXml(*bytes, relsName);
  for (const auto& element : root.children) {
    if (!element.Is(Ns::PackageRelationships, "Relationship")) continue;
    const std::string* id = element.Attribute(Ns::None, "Id");
    const std::string* type = element.Attribute(Ns::None, "Type");
    const std::string* target = element.Attribute(Ns::None, "Target");
    const std::string* mode = element.Attribute(Ns::None, "TargetMode");
    if (id == nullptr || type == nullptr || target == nullptr) continue;
    Relationship relationship{*type, *target, mode != nullptr && *mode == "External"};
    if (!relationship.external) relationship.target = ResolvePartName(partName, *target);
    relationships.byId_.emplace(*id, std::move(relationship));
  }
  return relationships;
}

const Relationship* Relationships::Find(std::string_view id) const {
  const auto found = byId_.find(id);
  return found == byId_.end() ? nullptr : &found->second;
}

std::optional<std::string> Relationships::TargetOfType(std::string_view typeName) const {
  const std::string suffix = "/" + std::string(typeName);
  for (const auto& [id, relationship] : byId_) {
    if (!relationship.external && relationship.type.ends_with(suffix)) return relationship.target;
  }
  return std::nullopt;
}

}  // namespace texttoxml::docx
