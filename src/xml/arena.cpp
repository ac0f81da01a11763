#include "xml/arena.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/large_pages.h"

namespace texttoxml::xml {

namespace {

// From one large memory page on, the system can back every block with one
// page fault instead of five hundred.
constexpr std::size_t kLargestBlockSize = platform::kLargePageSize;

// Bigger requests get a block of their own, so that little of the current
// block is wasted.
constexpr std::size_t kLargeRequest = kLargestBlockSize / 4;

std::size_t PaddingFor(const char* at, std::size_t alignment) {
  return (alignment - reinterpret_cast<std::uintptr_t>(at) % alignment) % alignment;
}

}  // namespace

Arena::~Arena() {
  for (void* block : blocks_) std::free(block);
}

void* Arena::Allocate(std::size_t size, std::size_t alignment) {
  if (size > kLargeRequest) return AllocateBlock(size);
  if (free_ == nullptr || PaddingFor(free_, alignment) + size > freeSize_) {
    const std::size_t blockSize = std::max(nextBlockSize_, size);
    free_ = static_cast<char*>(AllocateBlock(blockSize));  // aligned for anything
    freeSize_ = blockSize;
    nextBlockSize_ = std::min(2 * nextBlockSize_, kLargestBlockSize);
  }
  char* at = free_ + PaddingFor(free_, alignment);
  freeSize_ -= static_cast<std::size_t>(at + size - free_);
  free_ = at + size;
  return at;
}

void* Arena::AllocateBlock(std::size_t size) {
  const std::size_t alignment =
      size >= kLargestBlockSize ? kLargestBlockSize : alignof(std::max_align_t);
  const std::size_t rounded = (size + alignment - 1) / alignment * alignment;
  blocks_.reserve(blocks_.size() + 1);  // so that keeping the block cannot fail
  void* block = std::aligned_alloc(alignment, rounded);
  if (block == nullptr) throw std::bad_alloc();
  blocks_.push_back(block);
  if (alignment == kLargestBlockSize) platform::AdviseLargePages(block, rounded);
  return block;
}

}  // namespace texttoxml::xml
