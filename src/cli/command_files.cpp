#include "cli/command_files.h"

#include <algorithm>
#include <map>
#include <utility>

#include "cli/output_place.h"
#include "conversion/foreign_file.h"
#include "conversion/message_text.h"
#include "error.h"
#include "pictures/picture.h"
#include "platform/files.h"
#include "platform/translate.h"

namespace texttoxml::cli {

namespace {

// Word documents are ZIP archives; Word 97-2003 documents and documents
// saved with a password are OLE compound files. Both go to the document
// reader, which reads the first and says what to do with the second.
bool HeldInADocument(std::string_view bytes) {
  return bytes.starts_with("PK\x03\x04") || bytes.starts_with("PK\x05\x06") ||
         bytes.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

void ReadDocument(std::string_view bytes, InputText& input) {
  docx::WordText document = docx::ReadWordDocument(bytes);
  input.decoded = std::move(document.text);
  input.encoding = platform::TrLater("a Word document");
  DocumentParts parts;
  for (docx::DocumentPicture& picture : document.pictures) {
    const bool ownKind = picture.extension.empty() ||
                         pictures::PictureFileExtension(picture.name) == picture.extension;
    parts.pictures[picture.name] = {std::move(picture.bytes),
                                    ownKind ? std::string() : std::move(picture.extension)};
  }
  parts.lines = std::move(document.lines);
  parts.facts = std::move(document.facts);
  input.document = std::move(parts);
}

}  // namespace

std::string OutputPathOf(const Options& options, const std::string& input,
                         std::string_view extension) {
  if (options.output) return *options.output;
  if (!options.outputDir) return platform::WithExtension(input, extension);
  std::string path = *options.outputDir;
  if (!path.ends_with('/')) path += '/';
  return path + platform::WithExtension(platform::NameOf(input), extension);
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
  std::map<OutputPlace, std::size_t> byPlace;
  std::map<platform::FileIdentity, std::size_t> byFile;
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    if (outputs[i] == "-") continue;
    auto [place, newPlace] = byPlace.try_emplace(PlaceOfOutput(outputs[i]), i);
    std::size_t earlier = place->second;
    if (newPlace) {
      // An existing file may also be reached through a hard link.
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
  const std::string bytes =
      RaisingOnOutOfMemory([&] { return platform::ReadWholeFile(path); },
                           [&] { return OutOfMemoryError::ReadingText(path); });
  if (HeldInADocument(bytes)) {
    ReadDocument(bytes, input);
  } else {
    conversion::RefuseForeignFile(bytes);
    conversion::DecodedTaskText text = conversion::DecodeTaskTextAs(bytes, encoding, path);
    conversion::RefuseBinaryText(text.text);
    input.decoded = std::move(text.text);
    input.encoding = std::move(text.encoding);
  }
  input.fullPath = platform::FullPath(path);
  input.dir = platform::FolderOf(input.fullPath);
  return input;
}

std::optional<platform::HeldFiles> HoldPictures(InputText& text) {
  if (!text.document) return std::nullopt;
  return std::optional<platform::HeldFiles>(std::in_place, text.fullPath,
                                            std::move(text.document->pictures));
}

const docx::LineOrigin* OriginOf(const InputText& text, std::size_t line) {
  if (!text.document || text.document->lines.empty()) return nullptr;
  const auto& lines = text.document->lines;
  return &lines[std::min(std::max<std::size_t>(line, 1), lines.size()) - 1];
}

std::string PlaceOf(const std::string& input, std::size_t line, const InputText& text) {
  if (!text.document) return input + ":" + std::to_string(line);
  const docx::LineOrigin* origin = OriginOf(text, line);
  if (origin == nullptr) return input;
  return platform::Format(
      platform::Tr("{1}: paragraph {2} ({3})"),
      {input, std::to_string(origin->paragraph), conversion::Quoted(origin->firstWords)});
}

}  // namespace texttoxml::cli
