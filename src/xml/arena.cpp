#include "xml/arena.h"

#include <cstdint>
#include <cstdlib>

#include "platform/large_pages.h"

namespace texttoxml::xml {

namespace {

// Blocks are as large and as aligned as one large memory page, so that the
// system can back each of them with one page fault instead of five hundred.
constexpr std::size_t kBlockSize = platform::kLargePageSize;

// Bigger requests get a block of their own, so that little of the current
// block is wasted.
constexpr std::size_t kLargeRequest = kBlockSize / 4;

}  // namespace

Arena::~Arena() {
  for (void* block : blocks_) std::free(block);
}

void* Arena::Allocate(std::size_t size, std::size_t alignment) {
  if (size > kLargeRequest) return AllocateBlock(size);
  const std::size_t padding =
      (alignment - reinterpret_cast<std::uintptr_t>(free_) % alignment) % alignment;
  if (free_ == nullptr || padding + size > freeSize_) {
    free_ = static_cast<char*>(AllocateBlock(kBlockSize));
    freeSize_ = kBlockSize;
    return Allocate(size, alignment);
  }
  char* at = free_ + padding;
  free_ = at + size;
  freeSize_ -= padding + size;
  return at;
}

void* Arena::AllocateBlock(std::size_t size) {
  const std::size_t rounded = (size + kBlockSize - 1) / kBlockSize * kBlockSize;
  blocks_.reserve(blocks_.size() + 1);  // so that keeping the block cannot fail
  void* block = std::aligned_alloc(kBlockSize, rounded);
  if (block == nullptr) throw std::bad_alloc();
  blocks_.push_back(block);
  platform::AdviseLargePages(block, rounded);
  return block;
}

}  // namespace texttoxml::xml
