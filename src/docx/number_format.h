// The text of a list counter in each of Word's number formats.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace texttoxml::docx {

// `value` written in format `format` (a w:numFmt value): decimal,
// decimalZero, lowerLetter, upperLetter, lowerRoman, upperRoman,
// russianLower, russianUpper; "none" and "bullet" give no text, and a
// format Word has that is not among these is written as decimal. A value
// that a format cannot show (roman numerals past 3999, letters repeated
// more than 30 times, anything below 1 for letters and roman numerals)
// is written as decimal, as Word does.
std::u16string FormatCounter(std::int64_t value, std::string_view format);

}  // namespace texttoxml::docx
