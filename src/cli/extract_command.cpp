#include "cli/extract_command.h"

#include "cli/command_files.h"
#include "platform/files.h"
#include "platform/utf.h"

namespace texttoxml::cli {

namespace {

// UTF-8 with a byte order mark, which every reader of task texts (and the
// window's second filter) takes; the document's lines are joined with CR LF.
std::string TextFileBytes(std::u16string_view text) {
  return "\xEF\xBB\xBF" + platform::Utf16ToUtf8(text);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  platform::FileOutputStream file(path);
  platform::WriteAll(file, bytes.data(), bytes.size());
  file.Commit();
}

// A picture's name comes from inside the document: it must name a file in
// the output's folder and nothing else.
void RefuseUnsafeName(const std::string& name) {
  if (name.empty() || name == "." || name == ".." ||
      name.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos) {
    throw UnsafePictureNameError(name);
  }
}

}  // namespace

void RunExtract(const Options& options, platform::OutputStream& standardOutput) {
  const std::string& input = options.inputs.front();
  const InputText text = ReadInput(input, options.encoding);
  if (!text.document) throw NotAWordDocumentError();
  const std::string bytes = TextFileBytes(text.decoded);
  const std::string output = OutputPathOf(options, input, ".txt");
  if (output == "-") {
    platform::WriteAll(standardOutput, bytes.data(), bytes.size());
    return;
  }
  const std::string folder = platform::FolderOf(platform::FullPath(output));
  std::vector<std::string> pictures;
  for (const auto& [name, picture] : text.document->pictures) {
    RefuseUnsafeName(name);
    pictures.push_back(folder + "/" + name);
  }
  RefuseOutputOverSources(output, text, {});
  std::size_t next = 0;
  for (const auto& [name, picture] : text.document->pictures) {
    RefuseOutputOverSources(pictures[next], text, {});
    WriteFile(pictures[next++], picture.bytes);
  }
  WriteFile(output, bytes);
}

}  // namespace texttoxml::cli
