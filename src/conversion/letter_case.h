// Picture names as a teacher on a system that ignores letter case writes
// them: "[Photo.PNG]" for the file photo.png.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace texttoxml::conversion {

// True when two names differ in letter case at most: Latin, Latin-1 and
// Cyrillic letters, compared as UTF-8 (or as bytes where they are none).
bool SameButForLetterCase(std::string_view a, std::string_view b);

// The regular files beside where each of `paths` would lie (in its folder,
// as written) whose names differ from its last part only in letter case,
// each as that folder followed by the name on disk: the folders in the
// order given, the names of one folder in order. A file that several names
// lead to counts once, by its first.
std::vector<std::string> FilesDifferingInCase(std::span<const std::string> paths);

}  // namespace texttoxml::conversion
