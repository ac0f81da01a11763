#include "xml/sourced_text.h"

#include "xml/buffer_writer.h"

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

void SourcedText::WriteStream(BufferWriter& out) const {
  ChunkStream stream(out);
  source_->WriteTo(stream);
}

}  // namespace texttoxml::xml
