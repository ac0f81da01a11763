#include "docx/package.h"

#include <zip.h>

#include "docx/docx_errors.h"
#include "docx/limits.h"
#include "docx/relationships.h"

namespace texttoxml::docx {

namespace {

constexpr std::string_view kCompoundFileSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr std::string_view kLocalHeaderSignature = "PK\x03\x04";
constexpr std::size_t kChunk = 64 * 1024;

// Part names in the archive have no leading slash; relationship targets
// may.
std::string EntryName(std::string_view partName) {
  if (!partName.empty() && partName.front() == '/') partName.remove_prefix(1);
  return std::string(partName);
}

zip_t* OpenArchive(std::string_view bytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  if (source == nullptr) throw DamagedDocumentError::Archive(zip_error_strerror(&error));
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
  if (archive == nullptr) {
    zip_source_free(source);
    const int code = zip_error_code_zip(&error);
    const std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    // A file that starts as a ZIP archive but has no central directory was
    // cut short, which is worth saying rather than that it is no archive.
    if (code != ZIP_ER_NOZIP) throw DamagedDocumentError::Archive(text);
    if (bytes.starts_with(kLocalHeaderSignature)) {
      throw DamagedDocumentError::Archive("its end, the central directory, is missing");
    }
    throw NotWordDocumentError::NotZip();
  }
  return archive;
}

// An OLE compound file: what Word 97-2003 wrote, and what Word writes for
// any document saved with a password.
bool IsCompoundFile(std::string_view bytes) {
  return bytes.starts_with(kCompoundFileSignature);
}

}  // namespace

void Package::Closer::operator()(zip* archive) const {
  zip_discard(archive);
}

Package::Package(std::string_view bytes) {
  if (IsCompoundFile(bytes)) throw CompoundFileError();
  // An empty buffer is no archive at all, and libzip would take it for an
  // empty new one.
  if (bytes.empty()) throw NotWordDocumentError::NotZip();
  archive_.reset(OpenArchive(bytes));
  const zip_int64_t entries = zip_get_num_entries(archive_.get(), 0);
  if (entries < 0) throw DamagedDocumentError::Archive("no central directory");
  if (static_cast<std::uint64_t>(entries) > kMaxEntries) {
    throw RefusedDocumentError::TooManyEntries(static_cast<std::uint64_t>(entries), kMaxEntries);
  }
}

Package::~Package() = default;

std::int64_t Package::Locate(std::string_view partName) const {
  const zip_int64_t index =
      zip_name_locate(archive_.get(), EntryName(partName).c_str(), ZIP_FL_NOCASE);
  if (index >= 0 || partName.find('%') == std::string_view::npos) return index;
  return zip_name_locate(archive_.get(), EntryName(PercentDecoded(partName)).c_str(),
                         ZIP_FL_NOCASE);
}

std::optional<std::string> Package::Read(std::string_view partName, std::uint64_t limit) {
  const std::int64_t index = Locate(partName);
  if (index < 0) return std::nullopt;
  return ReadEntry(index, partName, limit);
}

std::string Package::ReadEntry(std::int64_t index, std::string_view partName, std::uint64_t limit) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive_.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0) {
    throw DamagedDocumentError::Archive(zip_strerror(archive_.get()));
  }
  const std::uint64_t compressed = (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0;
  zip_file_t* file = zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0);
  if (file == nullptr) throw DamagedDocumentError::Archive(zip_strerror(archive_.get()));
  std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> closer(file, zip_fclose);
  std::string bytes;
  char chunk[kChunk];
  for (;;) {
    const zip_int64_t read = zip_fread(file, chunk, sizeof chunk);
    if (read < 0) throw DamagedDocumentError::Archive(zip_file_strerror(file));
    if (read == 0) break;
    const auto count = static_cast<std::uint64_t>(read);
    if (bytes.size() + count > limit) throw RefusedDocumentError::PartTooLarge(partName, limit);
    if (unpacked_ + count > kMaxTotalBytes)
      throw RefusedDocumentError::TotalTooLarge(kMaxTotalBytes);
    bytes.append(chunk, count);
    unpacked_ += count;
    if (bytes.size() > kRatioCheckedAbove && bytes.size() / kMaxCompressionRatio > compressed) {
      throw RefusedDocumentError::CompressionRatio(partName, kMaxCompressionRatio);
    }
  }
  return bytes;
}

}  // namespace texttoxml::docx
