#include "xml/symbol_table.h"

#include <algorithm>

namespace texttoxml::xml {

namespace {

int CompareBytes(char a, char b) {
  return static_cast<int>(static_cast<unsigned char>(a)) -
         static_cast<int>(static_cast<unsigned char>(b));
}

}  // namespace

// Texts of one length often share a prefix (element names, base64 of similar
// files), so after the first byte the ends are compared before the middles.
int CompareSymbols(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  if (a.empty()) return 0;
  if (int order = CompareBytes(a[0], b[0])) return order;
  std::size_t front = 1;
  std::size_t back = a.size() - 1;
  bool fromEnd = true;
  while (front <= back) {
    std::size_t i = fromEnd ? back-- : front++;
    if (int order = CompareBytes(a[i], b[i])) return order;
    fromEnd = !fromEnd;
  }
  return 0;
}

std::size_t SymbolTable::AddString(std::string_view text) {
  if (text.empty()) return 0;
  if (auto found = idOf_.find(text); found != idOf_.end()) return found->second;
  byId_.emplace_back(text);
  std::size_t id = byId_.size();
  idOf_.emplace(byId_.back(), id);
  return id;
}

std::string_view SymbolTable::GetString(std::size_t id) const {
  if (id == 0 || id > byId_.size()) return {};
  return byId_[id - 1];
}

std::vector<std::string_view> SymbolTable::SortedSymbols() const {
  std::vector<std::string_view> sorted(byId_.begin(), byId_.end());
  std::sort(sorted.begin(), sorted.end(), [](std::string_view a, std::string_view b) {
    return CompareSymbols(a, b) < 0;
  });
  return sorted;
}

}  // namespace texttoxml::xml
