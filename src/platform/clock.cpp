#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace texttoxml::platform {

DateTime LocalNow() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  auto sinceEpoch = now.time_since_epoch();
  auto millis =
      duration_cast<milliseconds>(sinceEpoch - duration_cast<std::chrono::seconds>(sinceEpoch));
  return DateTime{local.tm_year + 1900,
                  local.tm_mon + 1,
                  local.tm_mday,
                  local.tm_hour,
                  local.tm_min,
                  local.tm_sec,
                  static_cast<int>(millis.count())};
}

namespace {

// Reads exactly `digits` decimal digits at `pos`, or fails.
bool ReadNumber(std::string_view text, std::size_t& pos, int digits, int& value) {
  if (text.size() - pos < static_cast<std::size_t>(digits)) return false;
  value = 0;
  for (int i = 0; i < digits; ++i, ++pos) {
    char c = text[pos];
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

bool ReadChar(std::string_view text, std::size_t& pos, char expected) {
  if (pos >= text.size() || text[pos] != expected) return false;
  ++pos;
  return true;
}

bool IsRealDate(int year, int month, int day) {
  if (year < 1 || month < 1 || month > 12 || day < 1) return false;
  using namespace std::chrono;
  return year_month_day{std::chrono::year{year}, std::chrono::month{unsigned(month)},
                        std::chrono::day{unsigned(day)}}
      .ok();
}

}  // namespace

std::optional<DateTime> ParseDateTime(std::string_view text) {
  DateTime t;
  std::size_t pos = 0;
  bool ok = ReadNumber(text, pos, 4, t.year) && ReadChar(text, pos, '-') &&
            ReadNumber(text, pos, 2, t.month) && ReadChar(text, pos, '-') &&
            ReadNumber(text, pos, 2, t.day) && ReadChar(text, pos, 'T') &&
            ReadNumber(text, pos, 2, t.hour) && ReadChar(text, pos, ':') &&
            ReadNumber(text, pos, 2, t.minute) && ReadChar(text, pos, ':') &&
            ReadNumber(text, pos, 2, t.second);
  if (ok && pos < text.size())
    ok = ReadChar(text, pos, '.') && ReadNumber(text, pos, 3, t.millisecond);
  if (!ok || pos != text.size()) return std::nullopt;
  if (!IsRealDate(t.year, t.month, t.day) || t.hour > 23 || t.minute > 59 || t.second > 59)
    return std::nullopt;
  return t;
}

}  // namespace texttoxml::platform
