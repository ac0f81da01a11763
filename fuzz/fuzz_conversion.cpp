// The whole conversion in memory: task file bytes to the XML import file.
// The first byte picks the decoding (its lowest bit forces UTF-8), the rest
// is the file. Picture names resolve inside a folder of tiny pictures, one
// per kind ("p.png", "p.bmp", ...), so that picture variants are embedded
// too; any other name takes the failure path.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "conversion/task_text.h"
#include "conversion/test_document.h"
#include "error.h"
#include "platform/stream.h"

using namespace texttoxml;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool utf8 = (data[0] & 1) != 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  try {
    const std::u16string decoded = conversion::DecodeTaskText(bytes, utf8, "fuzz.txt");
    const conversion::PreparedText prepared =
        conversion::PrepareTaskText(conversion::MemoText(decoded));
    const conversion::TextSource source{TEXTTOXML_FUZZ_PICTURES, "fuzz.txt"};
    const platform::DateTime date{2024, 2, 29, 12, 30, 15, 500};
    conversion::TestDocumentBuilder builder;
    auto document = builder.Build(prepared.blocks, source, date);
    std::string xmlBytes;
    platform::StringOutputStream stream(xmlBytes);
    document->SaveToStream(stream);
  } catch (const Error&) {
    // A refused input is a sound outcome; crashes and hangs are not.
  }
  return 0;
}
