#include "platform/output_target.h"

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "platform/files.h"

namespace texttoxml::platform {

namespace {

// As many links as the system itself follows before giving up.
constexpr int kMaxLinks = 40;

std::string RealFolder(const std::string& folder) {
  std::unique_ptr<char, decltype(&::free)> real(
      ::realpath(folder.empty() ? "." : folder.c_str(), nullptr), &::free);
  return real ? std::string(real.get()) : std::string();
}

// /proc/<our pid>/fd and /proc/<our pid>/task/<thread>/fd list our own
// descriptors; /dev/fd, /proc/self/fd and /proc/thread-self/fd lead there.
bool IsOwnDescriptorFolder(const std::string& folder) {
  const std::string own = "/proc/" + std::to_string(::getpid());
  return folder == own + "/fd" || (folder.starts_with(own + "/task/") && folder.ends_with("/fd"));
}

std::optional<int> OwnDescriptorNamed(const std::string& path) {
  const std::string name = NameOf(path);
  if (name.empty() || name.size() > 9 ||
      !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  if (!IsOwnDescriptorFolder(RealFolder(FolderOf(path)))) return std::nullopt;
  return std::stoi(name);
}

// What the link at `path` names, as a path; nothing when it is no link.
std::optional<std::string> LinkTarget(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return std::nullopt;
  char target[PATH_MAX];
  const ssize_t size = ::readlink(path.c_str(), target, sizeof target);
  if (size <= 0 || static_cast<std::size_t>(size) >= sizeof target) return std::nullopt;
  const std::string named(target, static_cast<std::size_t>(size));
  if (named.front() == '/') return named;
  const std::string folder = FolderOf(path);
  if (folder.empty()) return named;
  return folder == "/" ? "/" + named : folder + "/" + named;
}

}  // namespace

OutputTarget OutputTargetOf(const std::string& path) {
  std::string current = path;
  for (int link = 0; link <= kMaxLinks; ++link) {
    // Looked at before the link is followed: /proc/self/fd/1 is itself a
    // link to the file the descriptor shows.
    if (const auto descriptor = OwnDescriptorNamed(current)) return {current, descriptor};
    const auto next = LinkTarget(current);
    if (!next) return {current, std::nullopt};
    current = *next;
  }
  return {current, std::nullopt, true};
}

}  // namespace texttoxml::platform
