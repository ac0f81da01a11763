// The Word document reader. An input whose first byte is even is taken as a
// whole .docx file, which mostly exercises the ZIP checks; an odd first byte
// makes the rest the XML of the main part, the numbering part, the main
// part's relationships and the styles part (separated by "\n--\n"), which
// the harness packs into a document beside a PNG and a bare metafile, so
// that mutations reach the XML readers instead of the archive's checksums.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "docx/word_document.h"
#include "docx_builder.h"
#include "error.h"
#include "platform/utf.h"

using namespace texttoxml;

namespace {

std::string PackedDocument(std::string_view parts) {
  static constexpr std::string_view kSeparator = "\n--\n";
  static constexpr const char* kNames[] = {"word/document.xml", "word/numbering.xml",
                                           "word/_rels/document.xml.rels", "word/styles.xml"};
  std::map<std::string, std::string> archive{
      {"_rels/.rels",
       testing::RelationshipsPart({{"rId1", "officeDocument", "word/document.xml"}})},
      {"word/media/image1.png", std::string("\x89PNG\r\n\x1A\n", 8)},
      {"word/media/image2.wmf",
       std::string("\x01\x00\x09\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00",
                   18)}};
  for (const char* name : kNames) {
    const std::size_t end = parts.find(kSeparator);
    archive[name] = std::string(parts.substr(0, end));
    if (end == std::string_view::npos) break;
    parts.remove_prefix(end + kSeparator.size());
  }
  return testing::ZipArchive(archive);
}

// What every document read must satisfy.
void CheckRead(const docx::WordText& read) {
  std::size_t lines = 1;
  for (std::size_t at = 0; (at = read.text.find(u"\r\n", at)) != std::u16string::npos; at += 2)
    ++lines;
  if (read.lines.size() != lines) std::abort();
  std::size_t previous = 0;
  for (const auto& fact : read.facts) {
    if (fact.line < 1 || fact.line > lines || fact.line < previous) std::abort();
    previous = fact.line;
  }
  for (const auto& picture : read.pictures) {
    const std::u16string name = u"[" + platform::Utf8ToUtf16(picture.name).text + u"]";
    if (read.text.find(name) == std::u16string::npos) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string bytes = (data[0] & 1) ? PackedDocument(input) : std::string(input);
  const bool recognised = docx::IsWordDocument(bytes);
  try {
    CheckRead(docx::ReadWordDocument(bytes));
  } catch (const Error&) {
    return 0;
  }
  // A document that reads is one that is recognised.
  if (!recognised) std::abort();
  return 0;
}
