// RichDoc text as the writer makes it: lines of text, with the hexadecimal
// lines still held as the bytes they stand for. Expanding megabytes of
// picture bytes into digits is left to whoever takes the text, who may stream
// the digits on without ever holding them all.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace texttoxml::richtext {

class RichDocText {
 public:
  void Append(std::string_view text) { texts_.back().append(text); }
  // Two upper-case hexadecimal digits per byte, then CR LF. Shared bytes
  // (a picture's file) are held, not copied.
  void AppendHexLine(std::string bytes);
  void AppendHexLine(std::shared_ptr<const std::string> bytes);

  // The length of the whole text, digits included.
  std::size_t Size() const;
  bool Empty() const { return Size() == 0; }

  // Calls `text` with each run of text and `hexDigitsOf` with the bytes of
  // each hexadecimal line, in the order of the text.
  template <typename TextFn, typename HexFn>
  void ForEachPiece(TextFn&& text, HexFn&& hexDigitsOf) const {
    for (std::size_t i = 0; i < hexLines_.size(); ++i) {
      text(std::string_view(texts_[i]));
      hexDigitsOf(std::string_view(*hexLines_[i]));
    }
    text(std::string_view(texts_.back()));
  }

  // Appends the whole text, digits included.
  void AppendTo(std::string& out) const;

 private:
  // The text before each hexadecimal line and after the last one.
  std::vector<std::string> texts_ = std::vector<std::string>(1);
  std::vector<std::shared_ptr<const std::string>> hexLines_;
};

}  // namespace texttoxml::richtext
