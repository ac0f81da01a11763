#include "conversion/text_encoding.h"

#include <algorithm>
#include <array>

#include "conversion/task_text.h"
#include "platform/files.h"
#include "platform/platform_errors.h"
#include "platform/translate.h"
#include "platform/utf.h"

namespace texttoxml::conversion {

namespace {

enum class Mark { None, Utf8, Utf16Le, Utf16Be };

Mark MarkOf(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return Mark::Utf8;
  if (bytes.starts_with("\xFF\xFE")) return Mark::Utf16Le;
  if (bytes.starts_with("\xFE\xFF")) return Mark::Utf16Be;
  return Mark::None;
}

std::string MarkedName(Mark mark) {
  switch (mark) {
    case Mark::Utf8:
      return std::string(platform::TrLater("UTF-8 with a byte order mark"));
    case Mark::Utf16Le:
      return std::string(platform::TrLater("UTF-16 LE with a byte order mark"));
    case Mark::Utf16Be:
      return std::string(platform::TrLater("UTF-16 BE with a byte order mark"));
    case Mark::None:
      break;
  }
  return "windows-1251";
}

bool IsUtf16(Mark mark) {
  return mark == Mark::Utf16Le || mark == Mark::Utf16Be;
}

// windows-1251 and UTF-8 task texts hold no zero byte; UTF-16 holds one in
// the upper half of every ASCII character (blanks, digits, markers, line
// breaks), at odd offsets in little endian and even ones in big endian. So:
// two or more zeros, at least one in ten of the bytes at one parity, and
// hardly any at the other (a rare character such as U+0400 puts one there).
bool LooksLikeUtf16(std::string_view bytes) {
  std::array<std::size_t, 2> zeros{};
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {  // in pairs, which the compiler can vectorise
    zeros[0] += bytes[i] == '\0';
    zeros[1] += bytes[i + 1] == '\0';
  }
  if (i < bytes.size()) zeros[0] += bytes[i] == '\0';
  const std::size_t major = zeros[0] >= zeros[1] ? 0 : 1;
  const std::size_t atMajor = (bytes.size() + 1 - major) / 2;  // bytes at that parity
  return zeros[major] >= 2 && zeros[major] * 10 >= atMajor && zeros[1 - major] * 16 <= zeros[major];
}

// Real Russian windows-1251 text forms a well-formed UTF-8 sequence only by
// chance (a capital letter right before a dash, a quote or "Ё"), hundreds of
// times less often than it breaks one. So a text with a fair share of
// well-formed sequences is UTF-8 with a few slips in it (a stray windows-1252
// letter, a cut last character, a pasted windows-1251 part), which reading
// it as windows-1251 would garble throughout.
bool MostlyUtf8(const platform::Utf8Census& census) {
  return census.multiByte > 0 && census.invalid <= 8 * census.multiByte;
}

// The line, counted from 1, that holds the byte at `offset`.
std::size_t LineAt(std::string_view bytes, std::size_t offset) {
  return 1 + static_cast<std::size_t>(std::count(bytes.begin(), bytes.begin() + offset, '\n'));
}

// Decodes as UTF-8 and turns a failure into advice.
std::u16string DecodeUtf8(std::string_view bytes, const std::string& path, Mark mark) {
  try {
    return DecodeTaskText(bytes, true, path);
  } catch (const InvalidUtf8Error& error) {
    if (mark == Mark::Utf8) throw InvalidMarkedUtf8Error(error.what());
    if (IsUtf16(mark)) throw Utf16ReadAsUtf8Error(error.what());
    throw NotUtf8Error(error.what());
  }
}

}  // namespace

DecodedTaskText DecodeTaskTextAs(std::string_view bytes, TextEncoding encoding,
                                 const std::string& path) {
  const Mark mark = MarkOf(bytes);
  if (encoding == TextEncoding::Utf8 || mark == Mark::Utf8) {
    // Such bytes are nearly always valid UTF-8, full of U+0000.
    if (mark == Mark::None && LooksLikeUtf16(bytes))
      throw Utf16WithoutMarkError(platform::FullPath(path));
    return {DecodeUtf8(bytes, path, mark), mark == Mark::None ? "UTF-8" : MarkedName(mark)};
  }
  if (mark != Mark::None || encoding == TextEncoding::Cp1251) {
    return {DecodeTaskText(bytes, false, path), MarkedName(mark)};
  }
  if (LooksLikeUtf16(bytes)) throw Utf16WithoutMarkError(platform::FullPath(path));
  // A UTF-8 text decodes at once, and a windows-1251 one fails within its
  // first letters, so the sequences are counted only after a failure.
  const bool ascii = std::none_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; });
  if (!ascii) {
    try {
      return {DecodeTaskText(bytes, true, path), "UTF-8"};
    } catch (const InvalidUtf8Error&) {
      // windows-1251, or UTF-8 with slips: the census tells which
    }
  }
  const platform::Utf8Census census = platform::CountUtf8Sequences(bytes);
  if (MostlyUtf8(census)) {
    throw MostlyUtf8Error(platform::FullPath(path), LineAt(bytes, census.firstInvalid),
                          census.firstInvalid);
  }
  return {DecodeTaskText(bytes, false, path), "windows-1251"};
}

}  // namespace texttoxml::conversion
