// File system helpers: existence, whole-file reading, safe replacement.
#pragma once

#include <sys/stat.h>

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/descriptor.h"
#include "platform/platform_errors.h"
#include "platform/spooled_output.h"
#include "platform/stream.h"

namespace texttoxml::platform {

// True only for an existing regular file (after following links). Folders,
// devices and FIFOs do not count: reading them could hang or never end.
bool IsRegularFile(const std::string& path);

// Which file a path names, after following links: two paths name the same
// file exactly when their identities are equal, whatever their text.
struct FileIdentity {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  auto operator<=>(const FileIdentity&) const = default;
};

// Nothing when the path names no file (or cannot be looked at).
std::optional<FileIdentity> IdentityOf(const std::string& path);

// The path of the file a path names with every link followed; empty when
// it names none.
std::string ResolvedPath(const std::string& path);

// True when the file a path names, after following links, belongs to the
// running system rather than to a user: under /proc, /sys or /dev. Such
// files tell a size they do not hold and give away the machine's secrets
// (environment, keys, memory), so no picture is ever read from them. Files
// held in memory are never system files.
bool IsSystemFile(const std::string& path);

// True when both paths name one existing file.
bool SameFile(const std::string& a, const std::string& b);

// The folder part of a path: empty when it has no "/", "/" for a file at
// the root.
std::string FolderOf(const std::string& path);

// The path with `extension` (".xml") in place of its file name's own, or
// appended when the name has none; a leading dot names a hidden file and
// starts no extension.
std::string WithExtension(const std::string& path, std::string_view extension);

// The name part of a path: what follows its last "/".
std::string NameOf(const std::string& path);

// The absolute form of a path, as error messages show it.
std::string FullPath(const std::string& path);

// The size of a regular file; nothing when the path names none.
std::optional<std::uint64_t> FileSize(const std::string& path);

// All bytes of a regular file, or its first `atMost` bytes: a limit keeps a
// file that grows while it is read from taking all memory. Raises FOpenError
// ("Cannot open file ...") when it cannot be opened or is not a regular
// file.
std::string ReadWholeFile(const std::string& path, std::uint64_t atMost = UINT64_MAX);

// Writes a file so that an existing one is never lost: the bytes go to a
// temporary file in the target's folder, which replaces the target only on
// Commit, once every byte is written and flushed. Without Commit the
// temporary file is removed and the target stays as it was. Nothing is
// created before the first bytes are handed to the file system (or Commit),
// so a writer that fails while still building its first bytes leaves no
// trace and reports its own failure, not the file's. A replaced file keeps
// its permission bits (and, for root, its owner and group). A link is
// written through, to the file it names (see output_target.h). A target
// that cannot take bytes back (a device, a FIFO, one of our own open
// descriptors such as /dev/stdout) is written in place, all at Commit: its
// bytes are held in a temporary file until then (see spooled_output.h).
class FileOutputStream : public OutputStream {
 public:
  explicit FileOutputStream(const std::string& path);
  ~FileOutputStream() override;
  FileOutputStream(const FileOutputStream&) = delete;
  FileOutputStream& operator=(const FileOutputStream&) = delete;

  // Write and Commit raise FCreateError when the file cannot be created.
  std::size_t Write(const char* data, std::size_t size) override;
  void Commit();  // also raises WriteError

 private:
  void ChooseRoad();
  int CreateTemporary();
  void CommitHeld();
  void CommitReplacement();
  void Discard();

  std::string path_;    // as given, for messages
  std::string target_;  // the file replaced: path_ with its links followed
  std::optional<struct stat> replaced_;
  std::string temporary_;
  std::optional<BufferedDescriptor> replacement_;  // beside target_, renamed at Commit
  std::optional<SpooledOutput> held_;              // for a target written in place at Commit
  Descriptor heldTarget_;                          // a descriptor of ours, taken at once
  bool chosen_ = false;
  bool closed_ = false;
};

// Standard output as a stream (not closed at the end).
class StdoutStream : public OutputStream {
 public:
  std::size_t Write(const char* data, std::size_t size) override;
};

}  // namespace texttoxml::platform
