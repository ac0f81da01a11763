// File system helpers: existence, whole-file reading, safe replacement.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform_errors.h"
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

// The absolute form of a path, as error messages show it.
std::string FullPath(const std::string& path);

// The size of a regular file; nothing when the path names none.
std::optional<std::uint64_t> FileSize(const std::string& path);

// All bytes of a regular file; raises FOpenError ("Cannot open file ...")
// when it cannot be opened or is not a regular file.
std::string ReadWholeFile(const std::string& path);

// Writes a file so that an existing one is never lost: the bytes go to a
// temporary file in the target's folder, which replaces the target only on
// Commit, once every byte is written and flushed. Without Commit the
// temporary file is removed and the target stays as it was. Nothing is
// created before the first bytes are handed to the file system (or Commit),
// so a writer that fails while still building its first bytes leaves no
// trace and reports its own failure, not the file's. A replaced file
// keeps its permission bits (and, for root, its owner and group). A target that
// exists and is not a regular file (a device, a FIFO) is written directly,
// all at Commit: its bytes are held in memory until then. For a regular file
// bytes are collected in a buffer of its own, so that small writes do not
// each cost a system call.
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
  enum class State { Pending, Open, Closed };
  void Open();
  int OpenFd();
  void Discard();
  bool FlushBuffer();
  bool HoldsEverything();

  std::string target_;
  std::string buffer_;
  std::string temporary_;  // empty when writing the target directly
  int fd_ = -1;
  State state_ = State::Pending;
  std::optional<bool> holdsEverything_;  // looked up on the first write
};

// Standard output as a stream (not closed at the end).
class StdoutStream : public OutputStream {
 public:
  std::size_t Write(const char* data, std::size_t size) override;
};

}  // namespace texttoxml::platform
