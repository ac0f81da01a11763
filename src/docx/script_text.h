// Superscript and subscript text as plain characters: the Unicode
// superscript or subscript forms when every character has one, else the
// linear form "^(...)" or "_(...)".
#pragma once

#include <string>
#include <string_view>

namespace texttoxml::docx {

std::u16string Superscript(std::u16string_view text);
std::u16string Subscript(std::u16string_view text);

}  // namespace texttoxml::docx
