// The language the messages of the command line and the page speak. The
// window keeps its own texts; everything else is written in English and
// looked up in the catalogue of the language chosen for the process.
#pragma once

#include <optional>
#include <string_view>

namespace texttoxml::platform {

enum class Language { English, Russian };

void SetLanguage(Language language);
Language CurrentLanguage();

// "en" or "ru", as `--lang` takes them; nothing for any other name.
std::optional<Language> LanguageNamed(std::string_view name);

// The language a locale name asks for ("ru_RU.UTF-8", "ru"): Russian for
// Russian, English for everything else.
Language LanguageOfLocale(std::string_view locale);

// The language of the user's environment, as gettext finds it: the first of
// LC_ALL, LC_MESSAGES and LANG that is set and not empty.
Language LanguageOfEnvironment();

// What advice in a message points to: the command line's options
// ("read it with --encoding cp1251") or the page's controls (the encoding
// list, choosing the pictures).
enum class Controls { CommandLine, Page };

void SetControls(Controls controls);
Controls CurrentControls();

}  // namespace texttoxml::platform
