#include "docx/picture_set.h"

#include "docx/limits.h"
#include "docx/package.h"
#include "docx/word_values.h"

namespace texttoxml::docx {

namespace {

std::string LastSegment(std::string_view partName) {
  const std::size_t slash = partName.rfind('/');
  return std::string(slash == std::string_view::npos ? partName : partName.substr(slash + 1));
}

}  // namespace

// Names compare ignoring case, as they do on the file systems where the
// pictures may later be saved beside the text.
std::string PictureSet::UniqueName(std::string_view partName) {
  const std::string name = WithoutLineBreaks(PercentDecoded(LastSegment(partName)));
  const std::size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
  std::string unique = name;
  for (int copy = 2; takenNames_.contains(AsciiLower(unique)); ++copy) {
    unique = stem + "-" + std::to_string(copy) + extension;
  }
  takenNames_.insert(AsciiLower(unique));
  return unique;
}

std::optional<PictureReference> PictureSet::Use(std::string_view id,
                                                std::optional<ShownSize> size) {
  const Relationship* relationship = relationships_.Find(id);
  if (relationship == nullptr) return std::nullopt;
  if (relationship->external)
    return PictureReference{Utf16(ExternalTargetText(relationship->target)), true};
  const auto known = nameOfPart_.find(relationship->target);
  if (known != nameOfPart_.end()) return PictureReference{Utf16(known->second), false};
  std::string name = UniqueName(relationship->target);
  nameOfPart_.emplace(relationship->target, name);
  if (auto bytes = package_.Read(relationship->target, kMaxPicturePartBytes)) {
    std::string extension = PictureExtension(name, *bytes);
    pictures_.push_back({name, WithPlaceableHeader(std::move(*bytes), size), std::move(extension)});
  }
  return PictureReference{Utf16(name), false};
}

}  // namespace texttoxml::docx
