#include "xml/sourced_text.h"

#include <string>

#include "platform/utf.h"
#include "xml/buffer_writer.h"
#include "xml/value_text.h"

namespace texttoxml::xml {

namespace {

// The writer's chunks as a stream, for a source to write into.
class ChunkStream : public platform::OutputStream {
 public:
  explicit ChunkStream(BufferWriter& writer) : writer_(writer) {}
  std::size_t Write(const char* data, std::size_t size) override {
    writer_.Write(std::string_view(data, size));
    return size;
  }

 private:
  BufferWriter& writer_;
};

}  // namespace

// Each piece in an element's stored form, whose line breaks are LF, then
// with the CR LF the writer puts in their place.
void WideTextSource::WriteTo(platform::OutputStream& out) const {
  constexpr std::size_t kPiece = 1 << 15;
  std::string stored;
  std::string written;
  for (std::size_t at = 0; at < text_.size();) {
    const std::size_t end = platform::PieceEnd(text_, at, kPiece);
    WideToElementText(text_.substr(at, end - at), stored);
    written.clear();
    for (char c : stored) {
      if (c == '\n') written += '\r';
      written += c;
    }
    platform::WriteAll(out, written.data(), written.size());
    at = end;
  }
}

void SourcedText::WriteStream(BufferWriter& out) const {
  ChunkStream stream(out);
  source_->WriteTo(stream);
}

}  // namespace texttoxml::xml
