#include "platform/large_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace texttoxml::platform {

void AdviseLargePages(void* data, std::size_t size) {
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + kLargePageSize - 1) / kLargePageSize * kLargePageSize;
  const std::uintptr_t last = (begin + size) / kLargePageSize * kLargePageSize;
  if (first >= last) return;  // no whole large page inside
  madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace texttoxml::platform
