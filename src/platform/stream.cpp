#include "platform/stream.h"

#include "platform/platform_errors.h"

namespace texttoxml::platform {

void WriteAll(OutputStream& stream, const char* data, std::size_t size) {
  while (size > 0) {
    std::size_t taken = stream.Write(data, size);
    if (taken == 0) throw WriteError();
    data += taken;
    size -= taken;
  }
}

}  // namespace texttoxml::platform
