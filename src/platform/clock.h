// Calendar date and time of day, to the millisecond, without a time zone.
#pragma once

#include <optional>
#include <string_view>

namespace texttoxml::platform {

struct DateTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// The current local date and time.
DateTime LocalNow();

// Parses "YYYY-MM-DDTHH:MM:SS" with an optional ".mmm"; nothing else is
// accepted, and the fields must name a real date and time.
std::optional<DateTime> ParseDateTime(std::string_view text);

}  // namespace texttoxml::platform
