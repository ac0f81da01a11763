#include "platform/message_catalogue.h"

#include <algorithm>

namespace texttoxml::platform {

namespace {

constexpr std::uint32_t kMagic = 0x950412de;

// A little-endian 32-bit value at `offset`, when the bytes hold it.
std::optional<std::uint32_t> Word(std::string_view bytes, std::uint64_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < 4) return std::nullopt;
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return value;
}

// The string that the table entry at `offset` describes (length, offset).
std::optional<std::string_view> TableString(std::string_view bytes, std::uint64_t offset) {
  const auto length = Word(bytes, offset);
  const auto start = Word(bytes, offset + 4);
  if (!length || !start || *start > bytes.size() || bytes.size() - *start < *length) {
    return std::nullopt;
  }
  return bytes.substr(*start, *length);
}

std::vector<MessageCatalogue::Entry> ReadEntries(std::string_view bytes) {
  const auto magic = Word(bytes, 0);
  const auto count = Word(bytes, 8);
  const auto originals = Word(bytes, 12);
  const auto translations = Word(bytes, 16);
  if (!magic || *magic != kMagic || !count || !originals || !translations) return {};
  if (*count > bytes.size() / 8) return {};
  std::vector<MessageCatalogue::Entry> entries;
  entries.reserve(*count);
  for (std::uint64_t i = 0; i < *count; ++i) {
    const auto original = TableString(bytes, *originals + 8 * i);
    const auto translation = TableString(bytes, *translations + 8 * i);
    if (!original || !translation) return {};
    entries.push_back({*original, *translation});
  }
  return entries;
}

std::string_view Singular(std::string_view original) {
  return original.substr(0, std::min(original.find('\0'), original.size()));
}

}  // namespace

MessageCatalogue::MessageCatalogue(std::string_view bytes) : entries_(ReadEntries(bytes)) {
  const auto bySingular = [](const Entry& a, const Entry& b) {
    return Singular(a.original) < Singular(b.original);
  };
  if (!std::is_sorted(entries_.begin(), entries_.end(), bySingular)) {
    std::sort(entries_.begin(), entries_.end(), bySingular);
  }
}

const MessageCatalogue::Entry* MessageCatalogue::Lookup(std::string_view singular) const {
  const auto found = std::lower_bound(
      entries_.begin(), entries_.end(), singular,
      [](const Entry& entry, std::string_view key) { return Singular(entry.original) < key; });
  if (found == entries_.end() || Singular(found->original) != singular) return nullptr;
  return &*found;
}

std::optional<std::string_view> MessageCatalogue::Find(std::string_view english) const {
  const Entry* entry = Lookup(english);
  if (entry == nullptr || entry->translation.empty()) return std::nullopt;
  return Singular(entry->translation);
}

std::optional<std::string_view> MessageCatalogue::FindPlural(std::string_view singular,
                                                             std::size_t form) const {
  const Entry* entry = Lookup(singular);
  if (entry == nullptr) return std::nullopt;
  std::string_view forms = entry->translation;
  for (std::size_t i = 0; i < form; ++i) {
    const std::size_t end = forms.find('\0');
    if (end == std::string_view::npos) return std::nullopt;
    forms.remove_prefix(end + 1);
  }
  const std::string_view chosen = Singular(forms);
  if (chosen.empty()) return std::nullopt;
  return chosen;
}

std::size_t RussianPluralForm(std::uint64_t n) {
  if (n % 10 == 1 && n % 100 != 11) return 0;
  if (n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 10 || n % 100 >= 20)) return 1;
  return 2;
}

}  // namespace texttoxml::platform
