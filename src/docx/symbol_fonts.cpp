#include "docx/symbol_fonts.h"

#include <array>
#include <utility>

#include "docx/word_values.h"

namespace texttoxml::docx {

namespace {

// Symbol's Greek letters from "A" and from "a", in the font's order (its
// "J", "V", "j" and "v" draw variant forms).
constexpr std::u16string_view kSymbolUpper = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";
constexpr std::u16string_view kSymbolLower = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";

using CharacterPair = std::pair<char16_t, char16_t>;

constexpr std::array<CharacterPair, 23> kSymbolSigns{{
    {0x2D, u'-'},  // the minus that dash bullets are drawn with; read as a dash
    {0xB7, u'\u2022'}, {0xA7, u'\u2663'}, {0xA8, u'\u2666'}, {0xA9, u'\u2665'}, {0xAA, u'\u2660'},
    {0xAB, u'\u2194'}, {0xAE, u'\u2192'}, {0xAC, u'\u2190'}, {0xAD, u'\u2191'}, {0xAF, u'\u2193'},
    {0xB0, u'\u00B0'}, {0xB1, u'\u00B1'}, {0xB4, u'\u00D7'}, {0xB8, u'\u00F7'}, {0xB9, u'\u2260'},
    {0xBA, u'\u2261'}, {0xBB, u'\u2248'}, {0xA3, u'\u2264'}, {0xB3, u'\u2265'}, {0xA5, u'\u221E'},
    {0xD6, u'\u221A'}, {0xE5, u'\u2211'},
}};

constexpr std::array<CharacterPair, 10> kWingdings{{
    {0xA7, u'\u25AA'},
    {0xD8, u'\u27A2'},
    {0x76, u'\u2756'},
    {0xFC, u'\u2713'},
    {0xFB, u'\u2717'},
    {0xFE, u'\u2611'},
    {0xA8, u'\u25A1'},
    {0x6C, u'\u25CF'},
    {0x6E, u'\u25A0'},
    {0x71, u'\u2751'},
}};

template <std::size_t N>
char16_t Lookup(const std::array<CharacterPair, N>& table, char16_t code, char16_t original) {
  for (const auto& [from, to] : table) {
    if (from == code) return to;
  }
  return original;
}

char16_t SymbolCharacter(char16_t code, char16_t original) {
  if (code >= u'A' && code <= u'Z') return kSymbolUpper[code - u'A'];
  if (code >= u'a' && code <= u'z') return kSymbolLower[code - u'a'];
  return Lookup(kSymbolSigns, code, original);
}

}  // namespace

SymbolFont SymbolFontNamed(std::string_view fontName) {
  if (AsciiLower(fontName) == "symbol") return SymbolFont::Symbol;
  if (AsciiLower(fontName) == "wingdings") return SymbolFont::Wingdings;
  return SymbolFont::None;
}

char16_t ShownCharacter(SymbolFont font, char16_t c) {
  if (font == SymbolFont::None) return c;
  // Codes in the private use area stand for the font's own codes.
  const char16_t code = c >= 0xF020 && c <= 0xF0FF ? static_cast<char16_t>(c - 0xF000) : c;
  if (code > 0xFF) return c;
  return font == SymbolFont::Symbol ? SymbolCharacter(code, c) : Lookup(kWingdings, code, c);
}

}  // namespace texttoxml::docx
