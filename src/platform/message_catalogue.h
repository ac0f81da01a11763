// A compiled gettext catalogue (a .mo file, as msgfmt writes it): English
// messages and their translations, looked up by binary search in the
// catalogue's own bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace texttoxml::platform {

class MessageCatalogue {
 public:
  // Reads the tables of `bytes`, which must outlive the catalogue. Bytes
  // that are no whole catalogue give an empty one: every message then
  // stays English.
  explicit MessageCatalogue(std::string_view bytes);

  std::size_t size() const { return entries_.size(); }

  // The translation of `english`; nothing when the catalogue lacks it or
  // its translation is empty.
  std::optional<std::string_view> Find(std::string_view english) const;

  // The form `form` (from 0) of the translation of a message with plural
  // forms, looked up by its singular.
  std::optional<std::string_view> FindPlural(std::string_view singular, std::size_t form) const;

  struct Entry {
    std::string_view original;     // the plural form follows a NUL
    std::string_view translation;  // the forms are separated by NULs
  };
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  const Entry* Lookup(std::string_view singular) const;

  std::vector<Entry> entries_;  // sorted by original, as msgfmt writes them
};

// The Russian plural form of `n`: 0 for 1, 21, 101; 1 for 2–4, 22–24;
// 2 for the rest (5–20, 11–14, 0).
std::size_t RussianPluralForm(std::uint64_t n);

}  // namespace texttoxml::platform
