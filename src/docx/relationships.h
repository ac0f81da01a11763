// The relationships of a part (its "_rels/NAME.rels" part): what each
// relationship id in the part points at.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace texttoxml::docx {

class Package;

struct Relationship {
  std::string type;    // the type URI
  std::string target;  // a part name from the package root, or the external target as written
  bool external = false;
};

class Relationships {
 public:
  // The relationships of part `partName` (an empty name: the package's own).
  // A part without relationships has none.
  static Relationships Read(Package& package, std::string_view partName);

  // The relationship with that id; nullptr when there is none.
  const Relationship* Find(std::string_view id) const;
  // The target part of the first relationship whose type ends with
  // "/" + `typeName` (so that the transitional and strict type URIs both
  // match); nullopt when there is none.
  std::optional<std::string> TargetOfType(std::string_view typeName) const;

 private:
  std::map<std::string, Relationship, std::less<>> byId_;
};

// The part name that a relative target names from part `source`: "media/a.png"
// from "word/document.xml" is "word/media/a.png"; a target starting with "/"
// is from the root. "." and ".." segments are resolved, percent escapes
// decoded; a ".." above the root stays at the root.
std::string ResolvePartName(std::string_view source, std::string_view target);

// `text` with its percent escapes decoded.
std::string PercentDecoded(std::string_view text);

// A target as a person would write it: percent escapes decoded, and a
// file URL written as the path it names.
std::string ExternalTargetText(std::string_view target);

}  // namespace texttoxml::docx
