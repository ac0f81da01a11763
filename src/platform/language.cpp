#include "platform/language.h"

#include <atomic>
#include <cstdlib>

namespace texttoxml::platform {

namespace {

std::atomic<Language> currentLanguage{Language::English};
std::atomic<Controls> currentControls{Controls::CommandLine};

}  // namespace

void SetLanguage(Language language) {
  currentLanguage.store(language);
}

Language CurrentLanguage() {
  return currentLanguage.load();
}

void SetControls(Controls controls) {
  currentControls.store(controls);
}

Controls CurrentControls() {
  return currentControls.load();
}

std::optional<Language> LanguageNamed(std::string_view name) {
  if (name == "en") return Language::English;
  if (name == "ru") return Language::Russian;
  return std::nullopt;
}

Language LanguageOfLocale(std::string_view locale) {
  const bool russian = locale.starts_with("ru") && (locale.size() == 2 || locale[2] == '_' ||
                                                    locale[2] == '.' || locale[2] == '@');
  return russian ? Language::Russian : Language::English;
}

Language LanguageOfEnvironment() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return LanguageOfLocale(value);
  }
  return Language::English;
}

}  // namespace texttoxml::platform
