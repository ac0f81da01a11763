// Files that exist only in memory: the pictures a Word document holds. They
// are held under a folder no file on disk can be (the document's own path,
// which names a file), and the file calls (IsRegularFile, ReadWholeFile,
// FileSize) find them there, so that a document's pictures take the same
// road as the picture files of a text. They are held while a HeldFiles
// lives; one document is converted at a time.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace texttoxml::platform {

// One file held in memory.
struct HeldFileContent {
  std::string bytes;
  // The extension its picture kind goes by, when its name's own extension
  // names no kind that reads it (a PNG named image1.tmp); empty otherwise.
  std::string kind;
};

class HeldFiles {
 public:
  // Holds `files` (name to content) as `folder` "/" name.
  HeldFiles(std::string folder, std::map<std::string, HeldFileContent> files);
  ~HeldFiles();
  HeldFiles(const HeldFiles&) = delete;
  HeldFiles& operator=(const HeldFiles&) = delete;

 private:
  friend const HeldFileContent* HeldFile(const std::string& path);
  friend std::optional<std::string> HeldPathOf(std::string_view name);

  std::string folder_;
  std::map<std::string, HeldFileContent, std::less<>> files_;
  HeldFiles* outer_;  // the files held before these, hidden while these live
};

// The file held at `path`, or null.
const HeldFileContent* HeldFile(const std::string& path);

// The path under which a file of this name is held, if one is.
std::optional<std::string> HeldPathOf(std::string_view name);

}  // namespace texttoxml::platform
