// Messages in the language chosen for the process. The code writes every
// message in English, as the catalogue's key; po/ru.po holds the Russian
// translations, compiled into the program so that the page has them too.
//
// A message with values in it is a pattern with numbered places, "{1}",
// "{2}", so that a translation may put the values in another order:
//   Format(Tr("picture {1} not found"), {Quoted(name)})
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/language.h"
#include "platform/message_catalogue.h"

namespace texttoxml::platform {

// The message in the current language. `english` is a string literal: what
// is returned may be that literal itself.
std::string_view Tr(std::string_view english);

// The form of a message for the count `n` (in English, `singular` for 1).
std::string_view TrN(std::string_view singular, std::string_view plural, std::uint64_t n);

// Marks a message kept in a constant for the catalogue; Tr translates it
// where it is used.
constexpr std::string_view TrLater(std::string_view english) {
  return english;
}

// `pattern` with each "{k}" (k from 1 to 9) replaced by the k-th argument;
// a place without an argument stays as it is.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args);

// The text in the quotes of the current language: "text", or «text».
std::string InQuotes(std::string_view text);

// The compiled Russian catalogue that Tr reads.
const MessageCatalogue& RussianCatalogue();

}  // namespace texttoxml::platform
