// A document held until it is whole, then handed on at once: a pipe, a
// device or an open descriptor cannot take back half a document, so a
// reader of a failed conversion gets nothing rather than half of one.
#pragma once

#include <cstddef>

#include "platform/descriptor.h"
#include "platform/stream.h"

namespace texttoxml::platform {

// Beyond a small buffer the bytes are held in a temporary file that has no
// name (in $TMPDIR, else /tmp), so memory stays bounded however large the
// document grows and nothing is left behind however the program ends.
class SpooledOutput : public OutputStream {
 public:
  SpooledOutput();
  std::size_t Write(const char* data, std::size_t size) override;

  // Hands every byte held to `out`: raises WriteError when `out` takes
  // none, ReadError when the temporary file cannot be read back.
  void HandTo(OutputStream& out);

 private:
  BufferedDescriptor held_;
};

}  // namespace texttoxml::platform
