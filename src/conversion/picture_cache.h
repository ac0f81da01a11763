// What one conversion makes of a picture file, made once per content: a
// task text may name one picture many times, and decoding and encoding it
// again for each name costs seconds for a large one.
#pragma once

#include <cstddef>
#include <functional>
#include <list>
#include <string>
#include <string_view>
#include <utility>

namespace texttoxml::conversion {

// Values keyed by the picture kind a name chooses and by the very bytes
// read for it. A hit is proven by the content, not by what the file system
// says of the file: a file changed in between, or another file that took
// over a freed inode, is made afresh. What is kept (values and the bytes
// that prove them) stays within a budget; past it the least recently used
// entries go first.
template <class T>
class PictureCache {
 public:
  // `sizeOf` tells how many bytes a value holds.
  PictureCache(std::size_t budget, std::function<std::size_t(const T&)> sizeOf)
      : budget_(budget), sizeOf_(std::move(sizeOf)) {}

  // The value made before from the same bytes as the same kind, or
  // `make(bytes)`, kept for next time when it fits the budget.
  template <class Make>
  T Get(const std::string& kind, std::string bytes, Make&& make) {
    const std::size_t hash = std::hash<std::string_view>{}(bytes);
    for (auto entry = entries_.begin(); entry != entries_.end(); ++entry) {
      if (entry->hash == hash && entry->kind == kind && entry->bytes == bytes) {
        entries_.splice(entries_.begin(), entries_, entry);
        return entries_.front().value;
      }
    }
    T value = make(std::as_const(bytes));
    const std::size_t size = bytes.size() + sizeOf_(value);
    entries_.push_front({hash, kind, std::move(bytes), value, size});
    heldBytes_ += size;
    EvictPastBudget();
    return value;
  }

  void Clear() {
    entries_.clear();
    heldBytes_ = 0;
  }

  // The bytes kept now, values and contents.
  std::size_t HeldBytes() const { return heldBytes_; }

 private:
  struct Entry {
    std::size_t hash;
    std::string kind;
    std::string bytes;
    T value;
    std::size_t size;
  };

  void EvictPastBudget() {
    while (heldBytes_ > budget_ && !entries_.empty()) {
      heldBytes_ -= entries_.back().size;
      entries_.pop_back();
    }
  }

  std::size_t budget_;
  std::function<std::size_t(const T&)> sizeOf_;
  std::list<Entry> entries_;  // the most recently used first
  std::size_t heldBytes_ = 0;
};

}  // namespace texttoxml::conversion
