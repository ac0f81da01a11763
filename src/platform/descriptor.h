// Open file descriptors: owning one, writing to one, and collecting small
// writes before they reach one.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/stream.h"

namespace texttoxml::platform {

// write() until done or failed; returns the bytes written.
std::size_t WriteToDescriptor(int fd, const char* data, std::size_t size);

// An open descriptor, closed when the object goes.
class Descriptor {
 public:
  Descriptor() = default;
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor& operator=(Descriptor&& other) noexcept {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    return *this;
  }

  int Get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  // Closes it now; false when close() reports a failure (a full disk on a
  // network file system reports it only here).
  bool Close();

 private:
  int fd_ = -1;
};

// A stream into a descriptor that someone else owns.
class DescriptorOutputStream : public OutputStream {
 public:
  explicit DescriptorOutputStream(int fd) : fd_(fd) {}
  std::size_t Write(const char* data, std::size_t size) override {
    return WriteToDescriptor(fd_, data, size);
  }

 private:
  int fd_;
};

// Bytes collected in a buffer of their own and handed to a descriptor in
// large pieces, so that small writes do not each cost a system call. The
// descriptor is made by `open` (which raises when it cannot) only when the
// first bytes leave the buffer, or when Fd() asks for it.
class BufferedDescriptor {
 public:
  explicit BufferedDescriptor(std::function<int()> open) : open_(std::move(open)) {}

  // Takes the bytes; 0 when the descriptor took none of them.
  std::size_t Write(const char* data, std::size_t size);
  // Hands the buffer to the descriptor; false when bytes were lost.
  bool Flush();
  int Fd();
  bool Opened() const { return fd_.IsOpen(); }
  std::string_view Buffered() const { return buffer_; }
  bool Close() { return fd_.Close(); }

 private:
  std::function<int()> open_;
  Descriptor fd_;
  std::string buffer_;
};

}  // namespace texttoxml::platform
