#include "platform/spooled_output.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/platform_errors.h"

namespace texttoxml::platform {

namespace {

std::string TemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

// A file without a name: O_TMPFILE where the file system has it, else a
// named one removed at once.
int OpenNamelessFile() {
  const std::string folder = TemporaryFolder();
  int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
  std::string name = folder + "/.texttoxml.XXXXXX";
  fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) throw TemporaryFileError(folder, std::strerror(errno));
  ::unlink(name.c_str());
  return fd;
}

}  // namespace

SpooledOutput::SpooledOutput() : held_(OpenNamelessFile) {}

std::size_t SpooledOutput::Write(const char* data, std::size_t size) {
  return held_.Write(data, size);
}

void SpooledOutput::HandTo(OutputStream& out) {
  if (!held_.Opened()) {
    WriteAll(out, held_.Buffered().data(), held_.Buffered().size());
    return;
  }
  if (!held_.Flush()) throw WriteError();
  const int fd = held_.Fd();
  if (::lseek(fd, 0, SEEK_SET) != 0) throw ReadError();
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw ReadError();
    if (n == 0) return;
    WriteAll(out, buffer, static_cast<std::size_t>(n));
  }
}

}  // namespace texttoxml::platform
