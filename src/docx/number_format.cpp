#include "docx/number_format.h"

#include <array>
#include <utility>

namespace texttoxml::docx {

namespace {

// Word's Russian list letters: the alphabet without ё, й, ъ, ы and ь.
constexpr std::u16string_view kRussianLower = u"абвгдежзиклмнопрстуфхцчшщэюя";
constexpr std::u16string_view kRussianUpper = u"АБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЩЭЮЯ";
constexpr std::u16string_view kLatinLower = u"abcdefghijklmnopqrstuvwxyz";
constexpr std::u16string_view kLatinUpper = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::int64_t kMaxLetterRepeats = 30;
constexpr std::int64_t kMaxRoman = 3999;

std::u16string Decimal(std::int64_t value, std::size_t minDigits) {
  std::u16string digits;
  const bool negative = value < 0;
  // Counters are bounded far below the int64 range, so negating is safe.
  std::int64_t rest = negative ? -value : value;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + rest % 10));
    rest /= 10;
  } while (rest > 0);
  while (digits.size() < minDigits) digits.insert(digits.begin(), u'0');
  if (negative) digits.insert(digits.begin(), u'-');
  return digits;
}

// Word's letter counters: a to z, then aa to zz, then aaa, and so on.
std::u16string Letters(std::int64_t value, std::u16string_view alphabet) {
  const auto size = static_cast<std::int64_t>(alphabet.size());
  const std::int64_t repeats = (value - 1) / size + 1;
  if (value < 1 || repeats > kMaxLetterRepeats) return Decimal(value, 1);
  return std::u16string(static_cast<std::size_t>(repeats),
                        alphabet[static_cast<std::size_t>((value - 1) % size)]);
}

std::u16string Roman(std::int64_t value, bool upper) {
  if (value < 1 || value > kMaxRoman) return Decimal(value, 1);
  static constexpr std::array<std::pair<std::int64_t, std::u16string_view>, 13> kNumerals{
      {{1000, u"m"},
       {900, u"cm"},
       {500, u"d"},
       {400, u"cd"},
       {100, u"c"},
       {90, u"xc"},
       {50, u"l"},
       {40, u"xl"},
       {10, u"x"},
       {9, u"ix"},
       {5, u"v"},
       {4, u"iv"},
       {1, u"i"}}};
  std::u16string text;
  for (const auto& [amount, numeral] : kNumerals) {
    for (; value >= amount; value -= amount) text += numeral;
  }
  if (upper) {
    for (char16_t& c : text) c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return text;
}

}  // namespace

std::u16string FormatCounter(std::int64_t value, std::string_view format) {
  if (format == "none" || format == "bullet") return {};
  if (format == "decimalZero") return Decimal(value, 2);
  if (format == "lowerLetter") return Letters(value, kLatinLower);
  if (format == "upperLetter") return Letters(value, kLatinUpper);
  if (format == "russianLower") return Letters(value, kRussianLower);
  if (format == "russianUpper") return Letters(value, kRussianUpper);
  if (format == "lowerRoman") return Roman(value, false);
  if (format == "upperRoman") return Roman(value, true);
  return Decimal(value, 1);
}

}  // namespace texttoxml::docx
