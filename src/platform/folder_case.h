// How a folder compares the names of its files: some file systems take
// "Tasks.xml" and "tasks.XML" for one file, and writing both loses one.
#pragma once

#include <string>
#include <string_view>

namespace texttoxml::platform {

// True when names that differ only in case name one file in `folder`: FAT,
// exFAT, NTFS, HFS+ and SMB shares, and ext4 folders with case folding.
// False for a folder that cannot be looked at.
bool FolderIgnoresCase(const std::string& folder);

// A UTF-8 name as a folder that ignores case compares it: ASCII, Latin-1
// and Cyrillic letters in lower case. Other bytes stay as they are.
std::string CaseFolded(std::string_view name);

}  // namespace texttoxml::platform
