#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "platform/held_files.h"
#include "platform/interrupt_cleanup.h"
#include "platform/large_pages.h"
#include "platform/output_target.h"
#include "platform/platform_errors.h"

namespace texttoxml::platform {

namespace {

std::string SystemText(int error) {
  return std::strerror(error);
}

mode_t NewFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The replacement gets the permission bits of the file it replaces and, when
// we may give files away (as root), its owner and group; the owner comes
// first because changing it clears the set-user-ID bits.
void KeepOwnerAndMode(int fd, const struct stat& replaced) {
  if (::geteuid() == 0 && ::fchown(fd, replaced.st_uid, replaced.st_gid) != 0) {
    // Left with our own owner: still the right bytes, only less faithful.
  }
  ::fchmod(fd, replaced.st_mode & 07777);
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{st.st_dev, st.st_ino};
}

std::string ResolvedPath(const std::string& path) {
  std::error_code failed;
  const std::filesystem::path resolved = std::filesystem::canonical(path, failed);
  return failed ? std::string() : resolved.string();
}

bool IsSystemFile(const std::string& path) {
  if (HeldFile(path) != nullptr) return false;
  const std::string resolved = ResolvedPath(path);
  for (std::string_view system : {"/proc", "/sys", "/dev"}) {
    if (resolved.starts_with(system) &&
        (resolved.size() == system.size() || resolved[system.size()] == '/')) {
      return true;
    }
  }
  return false;
}

bool SameFile(const std::string& a, const std::string& b) {
  const auto identity = IdentityOf(a);
  return identity && identity == IdentityOf(b);
}

bool IsRegularFile(const std::string& path) {
  if (HeldFile(path) != nullptr) return true;
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {};
  return path.substr(0, slash == 0 ? 1 : slash);
}

std::string WithExtension(const std::string& path, std::string_view extension) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot <= nameStart) return path + std::string(extension);
  return path.substr(0, dot) + std::string(extension);
}

std::string NameOf(const std::string& path) {
  return path.substr(path.find_last_of('/') + 1);
}

std::string FullPath(const std::string& path) {
  std::error_code error;
  auto absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

std::optional<std::uint64_t> FileSize(const std::string& path) {
  if (const HeldFileContent* held = HeldFile(path)) return held->bytes.size();
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

std::string ReadWholeFile(const std::string& path, std::uint64_t atMost) {
  if (const HeldFileContent* held = HeldFile(path)) return held->bytes.substr(0, atMost);
  // O_NONBLOCK keeps open() from waiting for a writer on a FIFO; a FIFO is
  // refused right after, like every file that is not a regular one.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd.IsOpen()) {
    const int cause = errno;
    throw FOpenError(FullPath(path), SystemText(cause));
  }
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    throw FOpenError(FullPath(path),
                     S_ISDIR(st.st_mode) ? SystemText(EISDIR) : "Not a regular file");
  }
  // Read straight into the string, the whole file in one call where the
  // system allows (in the page every call is a trip into the browser), and
  // on in growing steps for a file that grows while it is read, never past
  // `atMost`. One byte more than the file holds is room for the read that
  // finds its end, so a file that keeps its size is not copied.
  const std::uint64_t expected = std::min<std::uint64_t>(st.st_size + 1ull, atMost);
  std::string bytes;
  ReserveOnLargePages(bytes, static_cast<std::size_t>(expected));
  bytes.resize(static_cast<std::size_t>(
      std::min<std::uint64_t>(std::max<std::uint64_t>(expected, 65536), atMost)));
  std::size_t filled = 0;
  while (filled < atMost) {
    if (filled == bytes.size()) {
      bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(2 * bytes.size(), atMost)));
    }
    const ssize_t n = ::read(fd.Get(), bytes.data() + filled, bytes.size() - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int cause = errno;
      throw FOpenError(FullPath(path), SystemText(cause));
    }
    if (n == 0) break;
    filled += static_cast<std::size_t>(n);
  }
  bytes.resize(filled);
  return bytes;
}

FileOutputStream::FileOutputStream(const std::string& path) : path_(path) {}

FileOutputStream::~FileOutputStream() {
  Discard();
}

void FileOutputStream::ChooseRoad() {
  chosen_ = true;
  const OutputTarget target = OutputTargetOf(path_);
  if (target.descriptor) {
    // Taken now, before any file of ours could be given its number.
    const int fd = ::fcntl(*target.descriptor, F_DUPFD_CLOEXEC, 0);
    if (fd < 0) throw ClosedDescriptorError(path_, *target.descriptor);
    heldTarget_ = Descriptor(fd);
    held_.emplace();
    return;
  }
  struct stat st;
  if (::stat(path_.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    held_.emplace();  // opened at Commit: a FIFO's open waits for a reader
    return;
  }
  if (target.endlessLinks) throw FCreateError(FullPath(path_), SystemText(ELOOP));
  target_ = target.path;
  if (::stat(target_.c_str(), &st) == 0) replaced_ = st;
  replacement_.emplace([this] { return CreateTemporary(); });
}

int FileOutputStream::CreateTemporary() {
  const std::string folder = FolderOf(target_);
  temporary_ = (folder.empty() ? "." : folder) + "/." + NameOf(target_) + ".XXXXXX";
  const int fd = ::mkostemp(temporary_.data(), O_CLOEXEC);
  if (fd < 0) {
    const int cause = errno;
    temporary_.clear();
    throw FCreateError(FullPath(path_), SystemText(cause));
  }
  RememberTemporaryFile(temporary_);
  if (replaced_) {
    KeepOwnerAndMode(fd, *replaced_);
  } else {
    ::fchmod(fd, NewFileMode());
  }
  return fd;
}

std::size_t FileOutputStream::Write(const char* data, std::size_t size) {
  if (closed_) return 0;
  if (!chosen_) ChooseRoad();
  return held_ ? held_->Write(data, size) : replacement_->Write(data, size);
}

void FileOutputStream::Commit() {
  if (closed_) throw WriteError();  // a write failed and was given up
  if (!chosen_) ChooseRoad();
  if (held_) {
    CommitHeld();
  } else {
    CommitReplacement();
  }
}

void FileOutputStream::CommitHeld() {
  if (!heldTarget_.IsOpen()) {
    heldTarget_ = Descriptor(::open(path_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (!heldTarget_.IsOpen()) {
      const int cause = errno;
      Discard();
      throw FCreateError(FullPath(path_), SystemText(cause));
    }
  }
  DescriptorOutputStream out(heldTarget_.Get());
  try {
    held_->HandTo(out);
  } catch (...) {
    Discard();
    throw;
  }
  const bool closed = heldTarget_.Close();
  Discard();
  if (!closed) throw WriteError();
}

void FileOutputStream::CommitReplacement() {
  // write() and close() report a full disk or a failed device; the rename
  // below happens only after both succeeded. An empty document still makes
  // its file.
  const bool written = replacement_->Flush() && replacement_->Fd() >= 0;
  if (!written || !replacement_->Close()) {
    Discard();
    throw WriteError();
  }
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    const int cause = errno;
    Discard();
    throw FCreateError(FullPath(target_), SystemText(cause));
  }
  ForgetTemporaryFile(temporary_);
  temporary_.clear();
  Discard();
}

void FileOutputStream::Discard() {
  closed_ = true;
  replacement_.reset();
  held_.reset();
  heldTarget_.Close();
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    ForgetTemporaryFile(temporary_);
  }
  temporary_.clear();
}

std::size_t StdoutStream::Write(const char* data, std::size_t size) {
  return WriteToDescriptor(STDOUT_FILENO, data, size);
}

}  // namespace texttoxml::platform
