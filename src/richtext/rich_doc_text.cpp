#include "richtext/rich_doc_text.h"

#include <utility>

#include "platform/stream.h"
#include "richtext/hex_line.h"

namespace texttoxml::richtext {

void RichDocText::AppendHexLine(std::string bytes) {
  AppendHexLine(std::make_shared<const std::string>(std::move(bytes)));
}

void RichDocText::AppendHexLine(std::shared_ptr<const std::string> bytes) {
  hexLines_.push_back(std::move(bytes));
  texts_.emplace_back("\r\n");
}

std::size_t RichDocText::Size() const {
  std::size_t size = 0;
  ForEachPiece([&](std::string_view text) { size += text.size(); },
               [&](std::string_view bytes) { size += 2 * bytes.size(); });
  return size;
}

void RichDocText::AppendTo(std::string& out) const {
  out.reserve(out.size() + Size());
  platform::StringOutputStream stream(out);
  ForEachPiece([&](std::string_view text) { out.append(text); },
               [&](std::string_view bytes) { WriteHexDigits(bytes, stream); });
}

}  // namespace texttoxml::richtext
