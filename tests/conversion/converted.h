// The bytes that converting a memo text writes, for tests that look at the
// document of a text.
#pragma once

#include <string>

#include "conversion/convert.h"
#include "platform/stream.h"

namespace texttoxml::conversion {

inline std::string Converted(std::u16string memoText, const TextSource& source,
                             const platform::DateTime& saveDate) {
  Converter converter;
  std::string bytes;
  platform::StringOutputStream out(bytes);
  converter.Convert(std::move(memoText), source, saveDate, out);
  return bytes;
}

}  // namespace texttoxml::conversion
