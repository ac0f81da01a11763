// How texts reach the user: paths and error messages are UTF-8 inside the
// system, the window shows UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace texttoxml::app {

// UTF-8 as UTF-16 for showing; a byte that is not part of a well-formed
// sequence shows as U+FFFD instead of hiding the whole text.
std::u16string DisplayText(std::string_view utf8);

}  // namespace texttoxml::app
