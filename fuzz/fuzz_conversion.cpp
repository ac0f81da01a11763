// The whole conversion in memory: task file bytes to the XML import file.
// The first byte picks the encoding (its value modulo 3: auto, windows-1251,
// UTF-8), the rest is the file. Picture names resolve inside a folder of tiny
// pictures, one per kind ("p.png", "p.bmp", ...), so that picture variants
// are embedded too; any other name takes the failure path.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "conversion/convert.h"
#include "conversion/task_text.h"
#include "conversion/text_encoding.h"
#include "error.h"
#include "platform/stream.h"

using namespace texttoxml;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  constexpr conversion::TextEncoding kEncodings[] = {
      conversion::TextEncoding::Auto, conversion::TextEncoding::Cp1251,
      conversion::TextEncoding::Utf8};
  const conversion::TextEncoding encoding = kEncodings[data[0] % 3];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  try {
    conversion::DecodedTaskText decoded = conversion::DecodeTaskTextAs(bytes, encoding, "fuzz.txt");
    const conversion::TextSource source{TEXTTOXML_FUZZ_PICTURES, "fuzz.txt"};
    const platform::DateTime date{2024, 2, 29, 12, 30, 15, 500};
    conversion::Converter converter;
    std::string xmlBytes;
    platform::StringOutputStream stream(xmlBytes);
    converter.Convert(conversion::MemoText(std::move(decoded.text)), source, date, stream);
  } catch (const Error&) {
    // A refused input is a sound outcome; crashes and hangs are not.
  }
  return 0;
}
