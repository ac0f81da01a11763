#include "xml/symbol_table.h"

#include <cstring>
#include <utility>

namespace texttoxml::xml {

namespace {

constexpr std::size_t kInitialSlots = 1024;

// Eight bytes at a time, each word mixed in by one multiplication: most
// texts are short names and values, hashed once each, for which the
// library's general hash costs more than probing the table.
std::uint64_t HashBytes(std::string_view text) {
  constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
  std::uint64_t hash = text.size() * kMultiplier;
  std::size_t i = 0;
  for (std::uint64_t word; i + 8 <= text.size(); i += 8) {
    std::memcpy(&word, text.data() + i, 8);
    hash = (hash ^ word) * kMultiplier;
    hash ^= hash >> 29;
  }
  std::uint64_t tail = 0;
  std::memcpy(&tail, text.data() + i, text.size() - i);
  hash = (hash ^ tail) * kMultiplier;
  return hash ^ hash >> 32;
}

// A long text (the base64 of a picture, megabytes) is hashed by its length
// and its two ends, or hashing would cost a fifth of embedding it; equal
// hashes are still followed by a comparison of every byte.
std::uint64_t HashOf(std::string_view text) {
  constexpr std::size_t kHashedEnd = 4096;
  if (text.size() <= 2 * kHashedEnd) return HashBytes(text);
  return HashBytes(text.substr(0, kHashedEnd)) ^
         31 * HashBytes(text.substr(text.size() - kHashedEnd)) ^ text.size();
}

}  // namespace

std::size_t SymbolTable::AddString(std::string_view text) {
  return Add(text, [&] { return StoreBytes(text); });
}

template <class Store>
std::size_t SymbolTable::Add(std::string_view text, Store store) {
  if (text.empty()) return 0;
  if (slots_.empty()) slots_.assign(kInitialSlots, 0);
  const std::uint64_t hash = HashOf(text);
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = hash & mask;
  for (; slots_[slot] != 0; slot = (slot + 1) & mask) {
    const std::size_t id = slots_[slot];
    if (hashes_[id - 1] == hash && texts_[id - 1] == text) return id;
  }
  texts_.push_back(store());
  hashes_.push_back(hash);
  slots_[slot] = texts_.size();
  if (texts_.size() * 2 > slots_.size()) GrowIndex();
  return texts_.size();
}

std::string_view SymbolTable::GetString(std::size_t id) const {
  if (id == 0 || id > texts_.size()) return {};
  return texts_[id - 1];
}

std::string_view SymbolTable::StoreBytes(std::string_view text) {
  char* at = static_cast<char*>(bytes_.Allocate(text.size()));
  std::memcpy(at, text.data(), text.size());
  return {at, text.size()};
}

// Keeps the index at most half full, so that probe runs stay short.
void SymbolTable::GrowIndex() {
  std::vector<std::size_t> slots(slots_.size() * 2, 0);
  const std::size_t mask = slots.size() - 1;
  for (std::size_t id = 1; id <= texts_.size(); ++id) {
    std::size_t slot = hashes_[id - 1] & mask;
    while (slots[slot] != 0) slot = (slot + 1) & mask;
    slots[slot] = id;
  }
  slots_ = std::move(slots);
}

// The newest entries go first: taking them out of the index in the reverse
// order of their coming leaves it as it was before they came, so no probe
// run of an older entry is broken.
void SymbolTable::Rewind(const Mark& mark) {
  for (std::size_t id = texts_.size(); id > mark.symbolCount; --id) slots_[SlotOf(id)] = 0;
  texts_.resize(mark.symbolCount);
  hashes_.resize(mark.symbolCount);
  bytes_.Rewind(mark.bytes);
}

std::size_t SymbolTable::SlotOf(std::size_t id) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = hashes_[id - 1] & mask;
  while (slots_[slot] != id) slot = (slot + 1) & mask;
  return slot;
}

}  // namespace texttoxml::xml
