// The string table of an XML document: every name and text is stored once
// and referred to by a small number.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace texttoxml::xml {

// IDs count from 1 in order of first addition; ID 0 is the empty text, which
// is never stored. Entries stay until the table goes. Lookups go through a
// hash of the bytes; the sorted order is only worked out when asked for.
class SymbolTable {
 public:
  SymbolTable() = default;
  SymbolTable(const SymbolTable&) = delete;
  SymbolTable& operator=(const SymbolTable&) = delete;

  // The ID of the text, storing a copy of it when it is new.
  std::size_t AddString(std::string_view text);

  // The text of an ID; the empty text for 0 and for IDs never given out.
  std::string_view GetString(std::size_t id) const;

  std::size_t SymbolCount() const { return byId_.size(); }

  // All stored texts in lookup order: by byte count, then by the first byte,
  // then by the other bytes taken alternately from the end and from the front.
  std::vector<std::string_view> SortedSymbols() const;

 private:
  std::deque<std::string> byId_;  // entry i holds ID i + 1; never moves
  std::unordered_map<std::string_view, std::size_t> idOf_;  // views of byId_
};

// <0, 0 or >0 as `a` sorts before, with or after `b` in the table's order.
int CompareSymbols(std::string_view a, std::string_view b);

}  // namespace texttoxml::xml
