#include "platform/translate.h"

namespace texttoxml::platform {

// The bytes of po/ru.po as msgfmt compiles it, made at build time.
std::string_view RussianCatalogueBytes();

const MessageCatalogue& RussianCatalogue() {
  static const MessageCatalogue catalogue(RussianCatalogueBytes());
  return catalogue;
}

std::string_view Tr(std::string_view english) {
  // The empty message is the catalogue's header, never a translation.
  if (CurrentLanguage() == Language::English || english.empty()) return english;
  return RussianCatalogue().Find(english).value_or(english);
}

std::string_view TrN(std::string_view singular, std::string_view plural, std::uint64_t n) {
  if (CurrentLanguage() == Language::Russian) {
    const auto form = RussianCatalogue().FindPlural(singular, RussianPluralForm(n));
    if (form) return *form;
  }
  return n == 1 ? singular : plural;
}

std::string InQuotes(std::string_view text) {
  if (CurrentLanguage() == Language::Russian) return "\u00ab" + std::string(text) + "\u00bb";
  return '"' + std::string(text) + '"';
}

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string text;
  text.reserve(pattern.size() + 16 * args.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const bool place = pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' &&
                       pattern[i + 1] >= '1' && pattern[i + 1] <= '9';
    const std::size_t k = place ? static_cast<std::size_t>(pattern[i + 1] - '1') : args.size();
    if (k < args.size()) {
      text += args.begin()[k];
      i += 2;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace texttoxml::platform
