#include "cli/output_place.h"

#include <filesystem>

#include "platform/folder_case.h"
#include "platform/output_target.h"

namespace texttoxml::cli {

OutputPlace PlaceInFolder(std::optional<platform::FileIdentity> folder,
                          const std::string& folderPath, const std::string& name,
                          bool folderIgnoresCase) {
  OutputPlace place{folder, folder ? std::string() : folderPath, name};
  if (folderIgnoresCase) place.name = platform::CaseFolded(name);
  return place;
}

OutputPlace PlaceOfOutput(const std::string& output) {
  const std::string path = platform::OutputTargetOf(output).path;
  std::string folder = platform::FolderOf(path);
  if (folder.empty()) folder = ".";
  const std::string name = platform::NameOf(path);
  const auto identity = platform::IdentityOf(folder);
  if (identity) return PlaceInFolder(identity, folder, name, platform::FolderIgnoresCase(folder));
  // A folder not there yet: the conversion will say so; its text is all
  // there is to compare.
  std::error_code error;
  const auto resolved = std::filesystem::weakly_canonical(folder, error);
  return PlaceInFolder(std::nullopt, error ? platform::FullPath(folder) : resolved.string(), name,
                       false);
}

}  // namespace texttoxml::cli
