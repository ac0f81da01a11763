#include "platform/guid.h"

#include <sys/random.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "platform/platform_errors.h"

namespace texttoxml::platform {

namespace {

[[noreturn]] void RaiseNoRandomBytes(int cause) {
  throw GuidError(cause);
}

#ifdef __EMSCRIPTEN__
// The browser has no getrandom system call; getentropy draws on its
// crypto.getRandomValues, up to 256 bytes a call, more than a GUID needs.
void FillRandom(unsigned char* data, std::size_t size) {
  if (getentropy(data, size) != 0) RaiseNoRandomBytes(errno);
}
#else
void FillRandom(unsigned char* data, std::size_t size) {
  while (size > 0) {
    ssize_t got = getrandom(data, size, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      RaiseNoRandomBytes(errno);
    }
    data += got;
    size -= static_cast<std::size_t>(got);
  }
}
#endif

}  // namespace

std::string NewGuidText() {
  std::array<unsigned char, 16> bytes;
  FillRandom(bytes.data(), bytes.size());
  bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40);  // version 4
  bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(36);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    text += kHex[bytes[i] >> 4];
    text += kHex[bytes[i] & 0x0F];
  }
  return text;
}

}  // namespace texttoxml::platform
