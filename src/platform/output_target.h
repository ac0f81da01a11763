// Where a write to a path lands. A link is never replaced by a file: what a
// link names, even a file not made yet, is what gets written. Names of this
// process's own open descriptors (/dev/stdout, /dev/fd/1,
// /proc/self/fd/1) are the descriptor as it is open, the end of a log the
// shell appends to, not the file it happens to show.
#pragma once

#include <optional>
#include <string>

namespace texttoxml::platform {

struct OutputTarget {
  std::string path;               // with every link at its end followed
  std::optional<int> descriptor;  // when it names one of our open descriptors
  bool endlessLinks = false;      // links that lead back to themselves
};

OutputTarget OutputTargetOf(const std::string& path);

}  // namespace texttoxml::platform
