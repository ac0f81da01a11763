// The ZIP archive of a Word document, read from memory. Part names are
// only ever looked up inside the archive; nothing reaches the file system.
//
// Every read is bounded: the number of entries when the archive is opened,
// and while an entry is unpacked its own size, the compression ratio and the
// total of everything unpacked so far, counted on the bytes actually
// produced, since the sizes an archive declares may lie.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct zip;

namespace texttoxml::docx {

class Package {
 public:
  // Raises CompoundFileError for an OLE compound file, NotWordDocumentError
  // for anything else that is not a ZIP archive, DamagedDocumentError for a
  // broken one and RefusedDocumentError for one with too many entries.
  // `bytes` must outlive the package.
  explicit Package(std::string_view bytes);
  ~Package();
  Package(const Package&) = delete;
  Package& operator=(const Package&) = delete;

  // The bytes of the part, at most `limit` of them; nullopt when the
  // archive does not hold it. Names compare ignoring case, as part names
  // do, and a name with percent escapes is also looked up decoded.
  std::optional<std::string> Read(std::string_view partName, std::uint64_t limit);

 private:
  std::int64_t Locate(std::string_view partName) const;
  std::string ReadEntry(std::int64_t index, std::string_view partName, std::uint64_t limit);

  struct Closer {
    void operator()(zip* archive) const;
  };
  std::unique_ptr<zip, Closer> archive_;
  std::uint64_t unpacked_ = 0;  // bytes unpacked so far, all parts together
};

}  // namespace texttoxml::docx
