// The forms in which names and texts are stored in the node tree: UTF-8,
// with the five characters that XML reserves already escaped, so that writing
// the document never has to look at a text again.
#pragma once

#include <string>
#include <string_view>

#include "platform/clock.h"

namespace texttoxml::xml {

// An element's text: line breaks (CR LF, lone CR) become LF, then "&", "<",
// ">", the double quote and the apostrophe become entities. Returns `text`
// itself when nothing changes, else a view of `scratch`, which holds the
// result.
std::string_view ElementText(std::string_view text, std::string& scratch);

// An attribute value: escaped like an element's text, line breaks kept.
std::string_view AttributeText(std::string_view text, std::string& scratch);

// UTF-16 text in an element's stored form, in one pass: as UTF-8 (an
// unpaired surrogate becomes U+FFFD), every CR LF and every lone CR turned
// into LF, the reserved characters escaped; in place of what `stored` held.
void WideToElementText(std::u16string_view text, std::string& stored);

// "YYYY-MM-DDTHH:MM:SSZ" of the time as given, without any time-zone
// conversion; the milliseconds are dropped.
std::string DateTimeText(const platform::DateTime& time);

}  // namespace texttoxml::xml
