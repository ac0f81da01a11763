// Memory for the many small objects of one document (its nodes and stored
// texts): carved out of large blocks one after the other and given back all
// at once when the arena goes. A test bank of many thousands of tasks makes
// millions of such objects; taking each from the heap on its own, and
// freeing it again, used to cost more than all the rest of the conversion.
//
// A document written one part at a time gives back the memory of each part
// once it is written (Rewind): the blocks stay and are carved again, so a
// bank of any size runs in the memory of its largest part.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/large_pages.h"

namespace texttoxml::xml {

class Arena {
 public:
  // A point to come back to with Rewind.
  struct Mark {
    std::size_t block = 0;
    std::size_t used = 0;  // bytes of that block in use
    std::size_t largeCount = 0;
  };

  Arena() = default;
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;
  ~Arena();

  // Uninitialised bytes that stay until the arena goes or is rewound past
  // them. `alignment` is a power of two of at most alignof(std::max_align_t).
  void* Allocate(std::size_t size, std::size_t alignment = 1) {
    // The common case, a small request that fits the current block, inline.
    if (size <= kLargeRequest && !blocks_.empty()) {
      if (void* at = CarveCurrent(size, alignment)) return at;
    }
    return AllocateSlowly(size, alignment);
  }

  // Objects are never destroyed, only their memory released, so only types
  // whose destruction does nothing may live here.
  template <class T, class... Args>
  T& New(Args&&... args) {
    static_assert(std::is_trivially_destructible_v<T>);
    return *::new (Allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
  }

  Mark Here() const;
  // Everything allocated since `mark` becomes free again; nothing made then
  // may be used afterwards.
  void Rewind(const Mark& mark);

 private:
  // A document starts with a small block, so that a small one costs little;
  // each further block is twice as large, up to one large memory page.
  static constexpr std::size_t kFirstBlockSize = 64 * 1024;
  // From one large memory page on, the system can back every block with one
  // page fault instead of five hundred.
  static constexpr std::size_t kLargestBlockSize = platform::kLargePageSize;
  // Bigger requests get a block of their own, so that little of the current
  // block is wasted.
  static constexpr std::size_t kLargeRequest = kLargestBlockSize / 4;

  struct Block {
    char* at;
    std::size_t size;
  };

  // The bytes from the current block, or none when they do not fit there.
  void* CarveCurrent(std::size_t size, std::size_t alignment) {
    char* const start = blocks_[current_].at + used_;
    // `alignment` is a power of two, so a mask takes the place of a division.
    const std::size_t padding = (0 - reinterpret_cast<std::uintptr_t>(start)) & (alignment - 1);
    if (padding + size > blocks_[current_].size - used_) return nullptr;
    used_ += padding + size;
    return start + padding;
  }
  void* AllocateSlowly(std::size_t size, std::size_t alignment);
  // Moves on to a block after the current one with room for `size` bytes:
  // the next one kept from before a Rewind, or a new one.
  void NextBlock(std::size_t size);
  static void* AllocateBlock(std::size_t size);

  std::vector<Block> blocks_;  // for small requests, in the order they are carved
  std::vector<void*> large_;   // one block for each large request
  std::size_t current_ = 0;    // the block being carved, when blocks_ is not empty
  std::size_t used_ = 0;       // bytes of it in use
  std::size_t nextBlockSize_ = kFirstBlockSize;
};

}  // namespace texttoxml::xml
