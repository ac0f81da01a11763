#include "docx/script_text.h"

#include <optional>

namespace texttoxml::docx {

namespace {

// The forms of "0" to "9", then of "+", "-", "=", "(", ")"; the minus sign
// U+2212 shares the form of "-".
constexpr std::u16string_view kSuperDigitsAndSigns = u"⁰¹²³⁴⁵⁶⁷⁸⁹⁺⁻⁼⁽⁾";
constexpr std::u16string_view kSubDigitsAndSigns = u"₀₁₂₃₄₅₆₇₈₉₊₋₌₍₎";
constexpr std::u16string_view kSigns = u"+-=()";

// The letters whose forms are in common fonts: exponents n and i, and the
// subscripts of indices and chemistry.
constexpr std::u16string_view kSuperLetters = u"ni";
constexpr std::u16string_view kSuperLetterForms = u"ⁿⁱ";
constexpr std::u16string_view kSubLetters = u"aeoxhklmnpst";
constexpr std::u16string_view kSubLetterForms = u"ₐₑₒₓₕₖₗₘₙₚₛₜ";

std::optional<char16_t> Form(char16_t c, std::u16string_view digitsAndSigns,
                             std::u16string_view letters, std::u16string_view letterForms) {
  if (c >= u'0' && c <= u'9') return digitsAndSigns[c - u'0'];
  if (c == u'\u2212') c = u'-';
  if (const auto sign = kSigns.find(c); sign != std::u16string_view::npos) {
    return digitsAndSigns[10 + sign];
  }
  if (const auto letter = letters.find(c); letter != std::u16string_view::npos) {
    return letterForms[letter];
  }
  return std::nullopt;
}

std::u16string Scripted(std::u16string_view text, std::u16string_view digitsAndSigns,
                        std::u16string_view letters, std::u16string_view letterForms,
                        char16_t linearMark) {
  std::u16string forms;
  for (char16_t c : text) {
    const auto form = Form(c, digitsAndSigns, letters, letterForms);
    if (!form) return std::u16string(1, linearMark) + u"(" + std::u16string(text) + u")";
    forms += *form;
  }
  return forms;
}

}  // namespace

std::u16string Superscript(std::u16string_view text) {
  return Scripted(text, kSuperDigitsAndSigns, kSuperLetters, kSuperLetterForms, u'^');
}

std::u16string Subscript(std::u16string_view text) {
  return Scripted(text, kSubDigitsAndSigns, kSubLetters, kSubLetterForms, u'_');
}

}  // namespace texttoxml::docx
