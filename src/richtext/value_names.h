// Names that integer types give to some of their values. The property
// stream writes such a value as its name rather than as a number.
#pragma once

#include <span>

#include "richtext/property_writer.h"

namespace texttoxml::richtext {

std::span<const IntegerName> ColorNames();    // clBlack ... clWindowText, clNone
std::span<const IntegerName> CursorNames();   // crDefault, crArrow, ...
std::span<const IntegerName> CharsetNames();  // ANSI_CHARSET, DEFAULT_CHARSET, ...

}  // namespace texttoxml::richtext
