// The root of the system's one exception hierarchy. Every error carries the
// exact message that the front ends show; the constructors build it, so that
// a message text lives in one place only. Each subsystem declares its own
// errors beside its code (platform/platform_errors.h, xml/xml_errors.h,
// pictures/picture_errors.h, cli/cli_errors.h); a front end that only shows
// a failure needs no more than Error and DisplayMessage.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace texttoxml {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// The message as the user sees it: a full stop is appended when the last
// character is above "." in code order, so "...file" gets one and "...)" or
// "...!" does not.
std::string DisplayMessage(std::string_view message);

}  // namespace texttoxml
