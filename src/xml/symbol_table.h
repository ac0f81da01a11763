// The string table of an XML document: every name and text is stored once
// and referred to by a small number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xml/arena.h"

namespace texttoxml::xml {

// IDs count from 1 in order of first addition; ID 0 is the empty text, which
// is never stored. Entries stay until the table goes. Lookups go through a
// hash of the bytes. A document may hold millions of texts, so the bytes are
// packed into an arena and the index is one open-addressing array of IDs,
// rather than a heap object or two per text.
class SymbolTable {
 public:
  SymbolTable() = default;
  SymbolTable(const SymbolTable&) = delete;
  SymbolTable& operator=(const SymbolTable&) = delete;

  // The ID of the text, storing a copy of it when it is new.
  std::size_t AddString(std::string_view text);

  // The text of an ID; the empty text for 0 and for IDs never given out.
  std::string_view GetString(std::size_t id) const;

  std::size_t SymbolCount() const { return texts_.size(); }

  // A point to come back to with Rewind.
  struct Mark {
    std::size_t symbolCount = 0;
    Arena::Mark bytes;
  };
  Mark Here() const { return {texts_.size(), bytes_.Here()}; }
  // Forgets every text stored since `mark`; their IDs may be given out again.
  void Rewind(const Mark& mark);

 private:
  template <class Store>
  std::size_t Add(std::string_view text, Store store);
  std::string_view StoreBytes(std::string_view text);

  void GrowIndex();
  // The index slot that holds `id`.
  std::size_t SlotOf(std::size_t id) const;

  std::vector<std::string_view> texts_;  // entry i holds ID i + 1; views of blocks_
  std::vector<std::uint64_t> hashes_;    // the hash of each entry of texts_
  std::vector<std::size_t> slots_;       // IDs by hash, 0 for a free slot
  Arena bytes_;                          // the texts of texts_
};

}  // namespace texttoxml::xml
