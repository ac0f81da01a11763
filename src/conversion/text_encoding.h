// The command line's choice of a task file's encoding. The window asks its
// user (one filter per encoding); the command line runs unattended, so by
// default it tells UTF-8 from windows-1251 by the bytes themselves and
// refuses a text it can only misread.
#pragma once

#include <string>
#include <string_view>

#include "conversion/conversion_errors.h"

namespace texttoxml::conversion {

enum class TextEncoding {
  Auto,    // a byte order mark decides; else UTF-8 when the bytes are UTF-8
           // with a non-ASCII character, an error when they are mostly so,
           // else windows-1251
  Cp1251,  // a byte order mark decides; else windows-1251 (the window's first filter)
  Utf8,    // UTF-8, a leading UTF-8 byte order mark dropped (its second filter)
};

struct DecodedTaskText {
  std::u16string text;   // the whole text, as LoadTaskText gives it
  std::string encoding;  // what it was read as, e.g. "UTF-8" or "windows-1251"
};

// Decodes a task file's bytes; `path` names the file in error messages.
// Cp1251 and Utf8 decode exactly as LoadTaskText does. Outside Cp1251, bytes
// that look like UTF-16 without a byte order mark are refused, and Auto
// refuses bytes that are mostly UTF-8 yet not all of it. Every refusal
// is an EncodingError that says what to do.
DecodedTaskText DecodeTaskTextAs(std::string_view bytes, TextEncoding encoding,
                                 const std::string& path);

}  // namespace texttoxml::conversion
