// Memory for the many small objects of one document (its nodes and stored
// texts): carved out of large blocks one after the other and given back all
// at once when the arena goes. A test bank of many thousands of tasks makes
// millions of such objects; taking each from the heap on its own, and
// freeing it again, used to cost more than all the rest of the conversion.
#pragma once

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace texttoxml::xml {

class Arena {
 public:
  Arena() = default;
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;
  ~Arena();

  // Uninitialised bytes that stay until the arena goes. `alignment` is a
  // power of two of at most alignof(std::max_align_t).
  void* Allocate(std::size_t size, std::size_t alignment = 1);

  // Objects are never destroyed, only their memory released, so only types
  // whose destruction does nothing may live here.
  template <class T, class... Args>
  T& New(Args&&... args) {
    static_assert(std::is_trivially_destructible_v<T>);
    return *::new (Allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
  }

 private:
  // A document starts with a small block, so that a small one costs little;
  // each further block is twice as large, up to one large memory page.
  static constexpr std::size_t kFirstBlockSize = 64 * 1024;

  void* AllocateBlock(std::size_t size);

  std::vector<void*> blocks_;
  char* free_ = nullptr;  // the unused end of the current block
  std::size_t freeSize_ = 0;
  std::size_t nextBlockSize_ = kFirstBlockSize;
};

}  // namespace texttoxml::xml
