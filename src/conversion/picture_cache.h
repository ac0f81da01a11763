// What one conversion makes of a picture file, made once per file: a task
// text may name one picture many times, and decoding and encoding it again
// for each name costs seconds for a large one.
#pragma once

#include <map>
#include <string>

#include "platform/files.h"

namespace texttoxml::conversion {

// Values keyed by the file a path names (whatever the path's text) and the
// file's size and modification time, so that a file changed in between is
// read again.
template <class T>
class PictureCache {
 public:
  // The value made for the file before, or `make()`, kept for next time.
  // A path that cannot be looked at is not kept; `make()` reports why.
  template <class Make>
  T Get(const std::string& path, Make&& make) {
    const auto version = platform::VersionOf(path);
    if (!version) return make();
    auto found = values_.find(*version);
    if (found == values_.end()) found = values_.emplace(*version, make()).first;
    return found->second;
  }

  void Clear() { values_.clear(); }

 private:
  std::map<platform::FileVersion, T> values_;
};

}  // namespace texttoxml::conversion
