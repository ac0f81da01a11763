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
#include "platform/platform_errors.h"

namespace texttoxml::platform {

namespace {

std::string SystemText(int error) {
  return std::strerror(error);
}

// write() until done or failed; returns the bytes written.
std::size_t WriteFd(int fd, const char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = ::write(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
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

std::string ReadWholeFile(const std::string& path) {
  if (const HeldFileContent* held = HeldFile(path)) return held->bytes;
  // O_NONBLOCK keeps open() from waiting for a writer on a FIFO; a FIFO is
  // refused right after, like every file that is not a regular one.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) throw FOpenError(FullPath(path), SystemText(errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    std::string cause = S_ISDIR(st.st_mode) ? SystemText(EISDIR) : "Not a regular file";
    ::close(fd);
    throw FOpenError(FullPath(path), cause);
  }
  // Read straight into the string, the whole file in one call where the
  // system allows (in the page every call is a trip into the browser), and
  // on in growing steps for a file that grows while it is read.
  std::string bytes;
  ReserveOnLargePages(bytes, static_cast<std::size_t>(st.st_size));
  bytes.resize(std::max<std::size_t>(static_cast<std::size_t>(st.st_size), 65536));
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) bytes.resize(2 * bytes.size());
    ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int error = errno;
      ::close(fd);
      throw FOpenError(FullPath(path), SystemText(error));
    }
    if (n == 0) break;
    filled += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(filled);
  return bytes;
}

FileOutputStream::FileOutputStream(const std::string& path) : target_(path) {}

void FileOutputStream::Open() {
  state_ = State::Open;
  const std::string path = target_;
  struct stat st;
  bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) throw FCreateError(FullPath(path), SystemText(errno));
    return;
  }
  // Replace what a link points to, not the link itself.
  std::error_code error;
  auto resolved = std::filesystem::weakly_canonical(path, error);
  if (!error) target_ = resolved.string();
  std::string name = target_.substr(target_.find_last_of('/') + 1);
  const std::string folder = FolderOf(target_);
  temporary_ = (folder.empty() ? "." : folder) + "/." + name + ".XXXXXX";
  fd_ = ::mkstemp(temporary_.data());
  if (fd_ < 0) {
    int cause = errno;
    temporary_.clear();
    throw FCreateError(FullPath(path), SystemText(cause));
  }
  RememberTemporaryFile(temporary_);
  if (exists) {
    KeepOwnerAndMode(fd_, st);
  } else {
    ::fchmod(fd_, NewFileMode());
  }
}

FileOutputStream::~FileOutputStream() {
  Discard();
}

// The descriptor to write to, opening the file on first use; -1 once the
// file was closed or could not be created.
int FileOutputStream::OpenFd() {
  if (state_ == State::Pending) Open();
  return fd_;
}

namespace {
constexpr std::size_t kFileBufferSize = 1 << 16;
}  // namespace

bool FileOutputStream::FlushBuffer() {
  bool complete = WriteFd(OpenFd(), buffer_.data(), buffer_.size()) == buffer_.size();
  buffer_.clear();
  return complete;
}

std::size_t FileOutputStream::Write(const char* data, std::size_t size) {
  if (state_ == State::Closed) return 0;
  if (!HoldsEverything()) {
    if (buffer_.size() + size > kFileBufferSize && !FlushBuffer()) return 0;
    if (size >= kFileBufferSize) return WriteFd(OpenFd(), data, size);
  }
  buffer_.append(data, size);
  return size;
}

// A device or a FIFO cannot take back what it was given, so it gets nothing
// before Commit: a reader must not take half a document for a whole one.
bool FileOutputStream::HoldsEverything() {
  if (!holdsEverything_) {
    struct stat st;
    holdsEverything_ = ::stat(target_.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
  }
  return *holdsEverything_;
}

void FileOutputStream::Commit() {
  if (!FlushBuffer()) {
    Discard();
    throw WriteError();
  }
  if (temporary_.empty()) {
    ::close(fd_);
    fd_ = -1;
    state_ = State::Closed;
    return;
  }
  // write() and close() report a full disk or a failed device; the rename
  // below happens only after both succeeded.
  bool closed = ::close(fd_) == 0;
  fd_ = -1;
  state_ = State::Closed;
  if (!closed) {
    Discard();
    throw WriteError();
  }
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    int cause = errno;
    Discard();
    throw FCreateError(FullPath(target_), SystemText(cause));
  }
  ForgetTemporaryFile(temporary_);
  temporary_.clear();
}

void FileOutputStream::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  state_ = State::Closed;
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    ForgetTemporaryFile(temporary_);
  }
  temporary_.clear();
}

std::size_t StdoutStream::Write(const char* data, std::size_t size) {
  return WriteFd(STDOUT_FILENO, data, size);
}

}  // namespace texttoxml::platform
