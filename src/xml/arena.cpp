#include "xml/arena.h"

#include <algorithm>
#include <cstdlib>

#include "platform/large_pages.h"

namespace texttoxml::xml {

Arena::~Arena() {
  for (const Block& block : blocks_) std::free(block.at);
  for (void* block : large_) std::free(block);
}

void* Arena::AllocateSlowly(std::size_t size, std::size_t alignment) {
  if (size > kLargeRequest) {
    large_.reserve(large_.size() + 1);  // so that keeping the block cannot fail
    large_.push_back(AllocateBlock(size));
    return large_.back();
  }
  // The next block has room for the bytes and any padding they need.
  NextBlock(size + alignment);
  return CarveCurrent(size, alignment);
}

Arena::Mark Arena::Here() const {
  return {current_, used_, large_.size()};
}

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
  const std::size_t alignment = size >= kLargestBlockSize ? kLargestBlockSize
                                                          : alignof(std::max_align_t);
  const std::size_t rounded = (size + alignment - 1) / alignment * alignment;
  void* block = std::aligned_alloc(alignment, rounded);
  if (block == nullptr) throw std::bad_alloc();
  if (alignment == kLargestBlockSize) platform::AdviseLargePages(block, rounded);
  return block;
}

}  // namespace texttoxml::xml
