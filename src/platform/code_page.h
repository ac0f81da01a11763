// The system's 8-bit ANSI code page: windows-1251, one character per byte.
//
// Every byte value maps to one UTF-16 code unit and back, including 0x98,
// which windows-1251 leaves undefined and which we carry as U+0098, so that
// arbitrary bytes survive a decode/encode round trip unchanged.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/stream.h"

namespace texttoxml::platform {

inline constexpr std::string_view kAnsiCodePageName = "windows-1251";

// Decodes bytes one character per byte; never fails.
std::u16string AnsiToUtf16(std::string_view bytes);

// Decodes bytes in the code page and encodes the result as UTF-8 in one step:
// the first half of the embedded-data passage.
std::string AnsiToUtf8(std::string_view bytes);

// The same passage streamed: hands the UTF-8 form of `bytes` to `out` piece
// by piece, so that megabytes of text need no UTF-8 copy of their own. Runs of
// ASCII go through as they are.
void AnsiToUtf8(std::string_view bytes, OutputStream& out);

// The number of bytes AnsiToUtf8 makes of `bytes`.
std::size_t AnsiToUtf8Size(std::string_view bytes);

// Encodes text in the code page; a character it lacks raises CodePageError.
std::string Utf16ToAnsi(std::u16string_view text);

}  // namespace texttoxml::platform
