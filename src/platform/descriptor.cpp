#include "platform/descriptor.h"

#include <unistd.h>

#include <cerrno>

namespace texttoxml::platform {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}  // namespace

std::size_t WriteToDescriptor(int fd, const char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = ::write(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

bool Descriptor::Close() {
  if (fd_ < 0) return true;
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  return closed;
}

int BufferedDescriptor::Fd() {
  if (!fd_.IsOpen()) fd_ = Descriptor(open_());
  return fd_.Get();
}

bool BufferedDescriptor::Flush() {
  if (buffer_.empty()) return true;
  const bool complete = WriteToDescriptor(Fd(), buffer_.data(), buffer_.size()) == buffer_.size();
  buffer_.clear();
  return complete;
}

std::size_t BufferedDescriptor::Write(const char* data, std::size_t size) {
  if (buffer_.size() + size > kBufferSize && !Flush()) return 0;
  if (size >= kBufferSize) return WriteToDescriptor(Fd(), data, size);
  buffer_.append(data, size);
  return size;
}

}  // namespace texttoxml::platform
