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

// `alignment` is a power of two, so a mask takes the place of a division.
std::size_t PaddingFor(const char* at, std::size_t alignment) {
  return (0 - reinterpret_cast<std::uintptr_t>(at)) & (alignment - 1);
}

}  // namespace

Arena::~Arena() {
  for (const Block& block : blocks_) std::free(block.at);
  for (void* block : large_) std::free(block);
}

void* Arena::Allocate(std::size_t size, std::size_t alignment) {
  if (size > kLargeRequest) {
    large_.reserve(large_.size() + 1);  // so that keeping the block cannot fail
    large_.push_back(AllocateBlock(size));
    return large_.back();
  }
  auto fits = [&] {
    const Block& block = blocks_[current_];
    return PaddingFor(block.at + used_, alignment) + size <= block.size - used_;
  };
  if (blocks_.empty() || !fits()) NextBlock(size + alignment);
  char* const at = blocks_[current_].at + used_ + PaddingFor(blocks_[current_].at + used_, alignment);
  used_ = static_cast<std::size_t>(at + size - blocks_[current_].at);
  return at;
}

Arena::Mark Arena::Here() const { return {current_, used_, large_.size()}; }

void Arena::Rewind(const Mark& mark) {
  for (std::size_t i = mark.largeCount; i < large_.size(); ++i) std::free(large_[i]);
  large_.resize(mark.largeCount);
  current_ = mark.block;
  used_ = mark.used;
}

void Arena::NextBlock(std::size_t size) {
  const std::size_t next = blocks_.empty() ? 0 : current_ + 1;
  used_ = 0;
  current_ = next;
  if (next < blocks_.size() && blocks_[next].size >= size) return;
  const std::size_t blockSize = std::max(nextBlockSize_, size);
  blocks_.reserve(blocks_.size() + 1);  // so that keeping the block cannot fail
  char* const at = static_cast<char*>(AllocateBlock(blockSize));
  blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(next), Block{at, blockSize});
  nextBlockSize_ = std::min(2 * nextBlockSize_, kLargestBlockSize);
}

void* Arena::AllocateBlock(std::size_t size) {
  const std::size_t alignment =
      size >= kLargestBlockSize ? kLargestBlockSize : alignof(std::max_align_t);
  const std::size_t rounded = (size + alignment - 1) / alignment * alignment;
  void* block = std::aligned_alloc(alignment, rounded);
  if (block == nullptr) throw std::bad_alloc();
  if (alignment == kLargestBlockSize) platform::AdviseLargePages(block, rounded);
  return block;
}

}  // namespace texttoxml::xml
