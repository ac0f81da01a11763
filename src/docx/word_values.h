// The attribute values of WordprocessingML that several readers share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "docx/xml_tree.h"

namespace texttoxml::docx {

// The w:val of the named child of `element`; nullptr when either is
// missing.
const std::string* ChildValue(const XmlElement& element, std::string_view child);

// A whole number written in decimal, between `low` and `high`; nullopt for
// anything else.
std::optional<std::int64_t> WholeNumber(std::string_view text, std::int64_t low, std::int64_t high);

// An on/off property such as w:b: on when present without w:val or with a
// true value ("true", "1", "on").
bool IsOn(const XmlElement* property);

// UTF-8 text of the document as UTF-16, for a line of the task text: a CR
// or LF (which XML carries only as a character reference) becomes a space,
// since only the document's own breaks may end a line. Malformed bytes
// become U+FFFD.
std::u16string Utf16(std::string_view utf8);

// The text with ASCII capitals made small, for names that compare
// ignoring case.
std::string AsciiLower(std::string_view text);

// The same rule for UTF-8 text, such as a picture's name.
std::string WithoutLineBreaks(std::string text);

}  // namespace texttoxml::docx
