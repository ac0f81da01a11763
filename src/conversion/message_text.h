// Pieces of the author's own text inside diagnostic messages, made safe to
// print on a terminal: control characters are shown by their code, and long
// pieces are cut short.
#pragma once

#include <string>
#include <string_view>

namespace texttoxml::conversion {

// The text as UTF-8, with every control character (U+0000 to U+001F, U+007F
// to U+009F) shown as "U+XXXX", and cut to `maxLength` code units with "..." after it.
std::string PrintableText(std::u16string_view text, std::size_t maxLength = 60);

// The printable text in quotes: "text" in English, «text» in Russian.
std::string Quoted(std::u16string_view text);

// UTF-8 bytes (a path, a message) as text; bytes that are not UTF-8 are
// taken in the code page rather than lost.
std::u16string TextOfBytes(std::string_view bytes);

// The file name part of a path (everything after its last "/"), as text.
std::u16string FileNameOf(std::string_view path);

}  // namespace texttoxml::conversion
