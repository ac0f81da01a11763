#include "platform/held_files.h"

namespace texttoxml::platform {

namespace {

// The innermost files held; the commands run on one thread.
HeldFiles* held = nullptr;

}  // namespace

HeldFiles::HeldFiles(std::string folder, std::map<std::string, HeldFileContent> files)
    : folder_(std::move(folder)), files_(files.begin(), files.end()), outer_(held) {
  if (!folder_.ends_with('/')) folder_ += '/';
  held = this;
}

HeldFiles::~HeldFiles() {
  held = outer_;
}

const HeldFileContent* HeldFile(const std::string& path) {
  if (held == nullptr || !path.starts_with(held->folder_)) return nullptr;
  const auto found = held->files_.find(std::string_view(path).substr(held->folder_.size()));
  return found == held->files_.end() ? nullptr : &found->second;
}

std::optional<std::string> HeldPathOf(std::string_view name) {
  if (held == nullptr || held->files_.find(name) == held->files_.end()) {
    return std::nullopt;
  }
  return held->folder_ + std::string(name);
}

}  // namespace texttoxml::platform
