// Random GUIDs from the operating system's random source.
#pragma once

#include <string>

namespace texttoxml::platform {

// A new random (version 4) GUID as 36 characters: groups of 8, 4, 4, 4 and 12
// upper-case hexadecimal digits separated by hyphens, without braces.
std::string NewGuidText();

}  // namespace texttoxml::platform
