#include "cli/command_files.h"

#include <filesystem>
#include <map>
#include <utility>

#include "platform/files.h"

namespace texttoxml::cli {

namespace {

// The output's path with every link in its existing part resolved, so that
// two spellings of one new file compare equal.
std::string ResolvedPath(const std::string& path) {
  std::error_code error;
  auto resolved = std::filesystem::weakly_canonical(path, error);
  return error ? platform::FullPath(path) : resolved.string();
}

// The input's path with `extension` in place of its own.
std::string OutputPathFor(const std::string& input, std::string_view extension) {
  auto slash = input.find_last_of('/');
  std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  auto dot = input.find_last_of('.');
  // A leading dot names a hidden file; it does not start an extension.
  if (dot == std::string::npos || dot <= nameStart) return input + std::string(extension);
  return input.substr(0, dot) + std::string(extension);
}

}  // namespace

std::string OutputPathOf(const Options& options, const std::string& input,
                         std::string_view extension) {
  if (options.output) return *options.output;
  if (!options.outputDir) return OutputPathFor(input, extension);
  std::string path = *options.outputDir;
  if (!path.ends_with('/')) path += '/';
  return path + OutputPathFor(input.substr(input.find_last_of('/') + 1), extension);
}

void RefuseOutputOverSources(const std::string& output, const InputText& input,
                             const std::vector<std::string>& pictures) {
  if (platform::SameFile(output, input.fullPath)) throw OutputIsInputError();
  const auto identity = platform::IdentityOf(output);
  if (!identity) return;  // a new file replaces nothing
  for (const std::string& picture : pictures) {
    if (platform::IdentityOf(picture) == identity) {
      throw OutputIsPictureError(platform::FullPath(picture));
    }
  }
}

void RefuseSharedOutputs(const std::vector<std::string>& inputs,
                         const std::vector<std::string>& outputs) {
  std::map<std::string, std::size_t> byPath;
  std::map<platform::FileIdentity, std::size_t> byFile;
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    if (outputs[i] == "-") continue;
    auto [path, newPath] = byPath.try_emplace(ResolvedPath(outputs[i]), i);
    std::size_t earlier = path->second;
    if (newPath) {
      const auto identity = platform::IdentityOf(outputs[i]);
      if (!identity) continue;
      auto [file, newFile] = byFile.try_emplace(*identity, i);
      if (newFile) continue;
      earlier = file->second;
    }
    throw OutputTakenTwiceError(inputs[earlier], inputs[i], outputs[i]);
  }
}

InputText ReadInput(const std::string& path, conversion::TextEncoding encoding) {
  InputText input;
  conversion::DecodedTaskText text = conversion::LoadTaskTextAs(path, encoding);
  input.decoded = std::move(text.text);
  input.encoding = std::move(text.encoding);
  input.fullPath = platform::FullPath(path);
  input.dir = platform::FolderOf(input.fullPath);
  return input;
}

}  // namespace texttoxml::cli
