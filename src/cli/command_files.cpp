#include "cli/command_files.h"

#include <utility>

#include "platform/files.h"

namespace texttoxml::cli {

namespace {

std::string FolderOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return "";
  return path.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace

InputText ReadInput(const std::string& path, conversion::TextEncoding encoding) {
  InputText input;
  conversion::DecodedTaskText text = conversion::LoadTaskTextAs(path, encoding);
  input.decoded = std::move(text.text);
  input.encoding = std::move(text.encoding);
  input.fullPath = platform::FullPath(path);
  input.dir = FolderOf(input.fullPath);
  return input;
}

std::string OutputPathFor(const std::string& input, std::string_view extension) {
  auto slash = input.find_last_of('/');
  std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  auto dot = input.find_last_of('.');
  // A leading dot names a hidden file; it does not start an extension.
  if (dot == std::string::npos || dot <= nameStart) return input + std::string(extension);
  return input.substr(0, dot) + std::string(extension);
}

}  // namespace texttoxml::cli
