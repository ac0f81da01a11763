#include "platform/translate.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "platform/language.h"
#include "platform/message_catalogue.h"

namespace texttoxml::platform {
namespace {

using namespace std::string_literals;

// The process's language for one test, English again afterwards.
class InLanguage {
 public:
  explicit InLanguage(Language language) { SetLanguage(language); }
  ~InLanguage() { SetLanguage(Language::English); }
};

void PutWord(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// A compiled catalogue as msgfmt lays it out: header, the table of
// originals, the table of translations, then the strings.
std::string CompiledCatalogue(const std::vector<std::pair<std::string, std::string>>& entries) {
  const std::size_t count = entries.size();
  std::string bytes(28 + 16 * count, '\0');
  PutWord(bytes, 0, 0x950412de);
  PutWord(bytes, 8, static_cast<std::uint32_t>(count));
  PutWord(bytes, 12, 28);
  PutWord(bytes, 16, static_cast<std::uint32_t>(28 + 8 * count));
  for (std::size_t i = 0; i < count; ++i) {
    for (int side = 0; side < 2; ++side) {
      const std::string& text = side == 0 ? entries[i].first : entries[i].second;
      const std::size_t entry = 28 + 8 * (count * side + i);
      PutWord(bytes, entry, static_cast<std::uint32_t>(text.size()));
      PutWord(bytes, entry + 4, static_cast<std::uint32_t>(bytes.size()));
      bytes += text;
      bytes += '\0';
    }
  }
  return bytes;
}

const std::vector<std::pair<std::string, std::string>> kEntries = {
    {"", "Language: ru\n"},
    {"apple", "яблоко"},
    {"{1} file\0{1} files"s, "{1} файл\0{1} файла\0{1} файлов"s},
    {"untranslated", ""},
};

TEST(MessageCatalogue, FindsTranslationsAndPluralForms) {
  const std::string bytes = CompiledCatalogue(kEntries);
  const MessageCatalogue catalogue(bytes);
  ASSERT_EQ(catalogue.size(), 4u);
  EXPECT_EQ(catalogue.Find("apple"), "яблоко");
  EXPECT_EQ(catalogue.Find("pear"), std::nullopt);
  EXPECT_EQ(catalogue.Find("untranslated"), std::nullopt);
  EXPECT_EQ(catalogue.Find("{1} file"), "{1} файл");
  EXPECT_EQ(catalogue.FindPlural("{1} file", 1), "{1} файла");
  EXPECT_EQ(catalogue.FindPlural("{1} file", 2), "{1} файлов");
  EXPECT_EQ(catalogue.FindPlural("{1} file", 3), std::nullopt);
}

TEST(MessageCatalogue, BytesThatAreNoWholeCatalogueGiveAnEmptyOne) {
  const std::string whole = CompiledCatalogue(kEntries);
  std::string badOffset = whole;
  PutWord(badOffset, 28 + 8 * 5 + 4, 0xFFFFFFF0);  // the second translation's offset
  std::string badLength = whole;
  PutWord(badLength, 28, 0x7FFFFFFF);
  std::string hugeCount = whole;
  PutWord(hugeCount, 8, 0xFFFFFFFF);
  std::string badMagic = whole;
  badMagic[0] = 'x';
  for (const std::string& bytes :
       {whole.substr(0, whole.size() - 3), badOffset, badLength, hugeCount, badMagic,
        std::string("\xde\x12\x04"), std::string()}) {
    EXPECT_EQ(MessageCatalogue(bytes).size(), 0u);
  }
}

TEST(MessageCatalogue, RussianPluralFormsFollowTheLastDigits) {
  for (std::uint64_t n : {1, 21, 101, 1001}) EXPECT_EQ(RussianPluralForm(n), 0u) << n;
  for (std::uint64_t n : {2, 3, 4, 22, 34, 102}) EXPECT_EQ(RussianPluralForm(n), 1u) << n;
  for (std::uint64_t n : {0, 5, 11, 12, 14, 19, 20, 25, 111, 112}) {
    EXPECT_EQ(RussianPluralForm(n), 2u) << n;
  }
}

TEST(Format, PutsArgumentsInTheirNumberedPlaces) {
  EXPECT_EQ(Format("{2} before {1}", {"a", "b"}), "b before a");
  EXPECT_EQ(Format("{1}{1}", {"x"}), "xx");
  EXPECT_EQ(Format("{3} and {0} and {a} and {1", {"x"}), "{3} and {0} and {a} and {1");
  EXPECT_EQ(Format("{1}", {"{2}", "no"}), "{2}");  // an argument is not read again
  EXPECT_EQ(Format("", {"x"}), "");
}

TEST(Tr, EnglishIsTheKeyAndRussianComesFromTheCatalogue) {
  EXPECT_EQ(Tr("not a task"), "not a task");
  EXPECT_EQ(TrN("{1} task", "{1} tasks", 5), "{1} tasks");
  EXPECT_EQ(InQuotes("a"), "\"a\"");
  const InLanguage russian(Language::Russian);
  EXPECT_EQ(Tr("not a task"), "не задание");
  EXPECT_EQ(Tr("a message the catalogue lacks"), "a message the catalogue lacks");
  EXPECT_EQ(Tr(""), "");
  EXPECT_EQ(TrN("{1} task", "{1} tasks", 1), "{1} задание");
  EXPECT_EQ(TrN("{1} task", "{1} tasks", 3), "{1} задания");
  EXPECT_EQ(TrN("{1} task", "{1} tasks", 11), "{1} заданий");
  EXPECT_EQ(InQuotes("a"), "«a»");
}

std::multiset<std::string> Places(std::string_view text) {
  static const std::regex place(R"(\{[1-9]\})");
  std::multiset<std::string> found;
  const std::string copy(text);
  for (auto it = std::sregex_iterator(copy.begin(), copy.end(), place);
       it != std::sregex_iterator(); ++it) {
    found.insert(it->str());
  }
  return found;
}

// A translation that drops or invents a place loses a value or shows "{2}".
TEST(RussianCatalogue, EveryTranslationKeepsThePlacesOfItsMessage) {
  const MessageCatalogue& catalogue = RussianCatalogue();
  ASSERT_GT(catalogue.size(), 100u);
  for (const MessageCatalogue::Entry& entry : catalogue.Entries()) {
    if (entry.original.empty()) continue;  // the header
    const std::string_view singular = entry.original.substr(0, entry.original.find('\0'));
    std::string_view forms = entry.translation;
    for (std::size_t start = 0; start <= forms.size();) {
      const std::size_t end = std::min(forms.find('\0', start), forms.size());
      const std::string_view form = forms.substr(start, end - start);
      EXPECT_FALSE(form.empty()) << singular;
      EXPECT_EQ(Places(form), Places(singular)) << singular << " -> " << form;
      start = end + 1;
    }
  }
}

TEST(Language, LocalesNamingRussianAreRussian) {
  for (const char* locale : {"ru", "ru_RU.UTF-8", "ru_UA", "ru.KOI8-R", "ru@latin"}) {
    EXPECT_EQ(LanguageOfLocale(locale), Language::Russian) << locale;
  }
  for (const char* locale : {"", "C", "C.UTF-8", "POSIX", "en_US.UTF-8", "rue_UA", "uk_UA", "r"}) {
    EXPECT_EQ(LanguageOfLocale(locale), Language::English) << locale;
  }
  EXPECT_EQ(LanguageNamed("ru"), Language::Russian);
  EXPECT_EQ(LanguageNamed("en"), Language::English);
  EXPECT_EQ(LanguageNamed("RU"), std::nullopt);
}

}  // namespace
}  // namespace texttoxml::platform
