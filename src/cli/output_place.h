// Which file an output would be, whatever path names it. Two outputs are one
// file when their folders are one folder, seen by identity so that a bind
// mount or a linked folder is seen through, and their names are equal as
// that folder compares names (case-blind on FAT or SMB).
#pragma once

#include <optional>
#include <string>
#include <tuple>

#include "platform/files.h"

namespace texttoxml::cli {

struct OutputPlace {
  std::optional<platform::FileIdentity> folder;  // nothing when it does not exist
  std::string folderPath;                        // compared only for a folder that does not exist
  std::string name;                              // case-folded where the folder ignores case
  bool operator==(const OutputPlace&) const = default;
  bool operator<(const OutputPlace& other) const {
    return std::tie(folder, folderPath, name) <
           std::tie(other.folder, other.folderPath, other.name);
  }
};

// The place of an output as the disk says it is; links at the end of the
// path are followed to the file they name.
OutputPlace PlaceOfOutput(const std::string& output);

// The place of `name` in a folder whose identity and case rule are known.
OutputPlace PlaceInFolder(std::optional<platform::FileIdentity> folder,
                          const std::string& folderPath, const std::string& name,
                          bool folderIgnoresCase);

}  // namespace texttoxml::cli
