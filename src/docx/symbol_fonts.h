// Characters of the symbol fonts. Word stores a character of Symbol or
// Wingdings as its code in the font, often moved into the private use area
// (U+F020 to U+F0FF); what the reader of the text must get is the Unicode
// character the font draws there.
#pragma once

#include <string_view>

namespace texttoxml::docx {

enum class SymbolFont { None, Symbol, Wingdings };

// The symbol font that a font name names, if any.
SymbolFont SymbolFontNamed(std::string_view fontName);

// The character that `c` shows in `font`: bullets, arrows, check marks,
// Greek letters and mathematical signs. A character not in the tables is
// kept as it is.
char16_t ShownCharacter(SymbolFont font, char16_t c);

}  // namespace texttoxml::docx
