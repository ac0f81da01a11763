// The whole conversion in memory: task file bytes to the XML import file.
// The first byte picks the encoding (its value modulo 3: auto, windows-1251,
// UTF-8), the rest is the file. Picture names resolve inside a folder of tiny
// pictures, one per kind ("p.png", "p.bmp", ...), so that picture variants
// are embedded too; any other name takes the failure path. The document,
// written task by task, must be byte for byte the whole tree's.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "conversion/convert.h"
#include "conversion/task_text.h"
#include "conversion/test_document.h"
#include "conversion/text_encoding.h"
#include "error.h"
#include "platform/stream.h"
#include "zero_guids.h"

using namespace texttoxml;

namespace {

using texttoxml::testing::WithZeroGuids;

// The bytes of the whole tree, built and then saved; false when it fails.
bool SavedTree(std::u16string memo, const conversion::TextSource& source,
               const platform::DateTime& date, std::string& bytes) {
  try {
    const conversion::PreparedText prepared = conversion::PrepareTaskText(std::move(memo));
    conversion::TestDocumentBuilder builder;
    platform::StringOutputStream out(bytes);
    builder.Build(prepared.blocks, source, date)->SaveToStream(out);
    return true;
  } catch (const Error&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  constexpr conversion::TextEncoding kEncodings[] = {conversion::TextEncoding::Auto,
                                                     conversion::TextEncoding::Cp1251,
                                                     conversion::TextEncoding::Utf8};
  const conversion::TextEncoding encoding = kEncodings[data[0] % 3];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  conversion::DecodedTaskText decoded;
  try {
    decoded = conversion::DecodeTaskTextAs(bytes, encoding, "fuzz.txt");
  } catch (const Error&) {
    return 0;  // a refused input is a sound outcome; crashes and hangs are not
  }
  const std::u16string memo = conversion::MemoText(std::move(decoded.text));
  const conversion::TextSource source{TEXTTOXML_FUZZ_PICTURES, "fuzz.txt"};
  const platform::DateTime date{2024, 2, 29, 12, 30, 15, 500};
  std::string streamed;
  bool converted = true;
  try {
    conversion::Converter converter;
    platform::StringOutputStream stream(streamed);
    converter.Convert(memo, source, date, stream);
  } catch (const Error&) {
    converted = false;
  }
  std::string saved;
  if (SavedTree(memo, source, date, saved) != converted) __builtin_trap();
  if (converted && WithZeroGuids(streamed) != WithZeroGuids(saved)) __builtin_trap();
  return 0;
}
