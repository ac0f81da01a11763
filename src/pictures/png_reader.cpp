#include "pictures/png_reader.h"

#include <typeinfo>

#include "pictures/limits.h"
#include "pictures/picture_errors.h"
#include "pictures/png_bytes.h"
#include "pictures/png_header.h"
#include "pictures/png_idat_reader.h"

namespace texttoxml::pictures {

namespace {

class ChunkSequenceReader {
 public:
  explicit ChunkSequenceReader(std::string_view bytes) : bytes_(bytes), cursor_(bytes) {}

  std::vector<std::unique_ptr<Chunk>> Read() {
    if (bytes_.substr(0, kPngSignature.size()) != kPngSignature) throw PngInvalidFileHeaderError();
    cursor_.ReadBytes(kPngSignature.size());
    bool ended = false;
    while (!ended) {
      const std::uint32_t length = cursor_.ReadU32();
      const std::string_view name = cursor_.ReadBytes(4);
      if (chunks_.empty() && name != "IHDR") throw PngIhdrNotFirstError();
      if (name == "cHRM" || (name == "IDAT" && imageRead_))
        Skip(length);
      else if (name == "IDAT")
        ReadImageData(length);
      else
        ended = ReadChunk(name, length);
    }
    if (!imageRead_) throw PngNoImageDataError();
    return std::move(chunks_);
  }

 private:
  void Skip(std::uint32_t length) {
    cursor_.ReadBytes(length);
    cursor_.ReadU32();
  }

  void ReadImageData(std::uint32_t length) {
    chunks_.push_back(CreateChunk("IDAT"));
    DecodeImageData(cursor_, length, Header());
    imageRead_ = true;
  }

  // True after "IEND".
  bool ReadChunk(std::string_view name, std::uint32_t length) {
    std::unique_ptr<Chunk> chunk = CreateChunk(name);
    const Chunk& created = *chunk;
    if (typeid(created) == typeid(Chunk) && IsCriticalChunkName(name)) {
      throw PngUnknownCriticalChunkError();
    }
    // A second header would allocate a second image store.
    if (name == "IHDR" && !chunks_.empty()) throw PngInvalidIhdrError();
    const std::string_view data = cursor_.ReadBytes(length);
    ReadAndCheckCrc(cursor_, name, data);
    chunk->Load(data, context_);
    chunks_.push_back(std::move(chunk));
    if (chunks_.size() == 1) StartTextBudget();
    return name == "IEND";
  }

  // Inflated text is decoded content as pixels are: the two together stay
  // within the one limit, so what the header's stores take is not left
  // for text.
  void StartTextBudget() {
    context_.header = &Header();
    const std::uint64_t pixels = Header().StoreBytes();
    context_.textBudget = pixels < kMaxDecodedPixelBytes ? kMaxDecodedPixelBytes - pixels : 0;
  }

  ChunkIHDR& Header() { return static_cast<ChunkIHDR&>(*chunks_.front()); }

  std::string_view bytes_;
  PngCursor cursor_;
  std::vector<std::unique_ptr<Chunk>> chunks_;
  ChunkLoadContext context_;
  bool imageRead_ = false;
};

}  // namespace

std::uint32_t PngCursor::ReadU32() {
  return ReadU32Be(ReadBytes(4), 0);
}

std::string_view PngCursor::ReadBytes(std::size_t count) {
  if (count > bytes_.size() - position_) throw PngUnexpectedEndError();
  const std::string_view bytes = bytes_.substr(position_, count);
  position_ += count;
  return bytes;
}

void ReadAndCheckCrc(PngCursor& cursor, std::string_view name, std::string_view data) {
  if (cursor.ReadU32() != ChunkCrc(name, data)) throw PngInvalidCrcError();
}

std::vector<std::unique_ptr<Chunk>> ReadPngChunks(std::string_view bytes) {
  return ChunkSequenceReader(bytes).Read();
}

}  // namespace texttoxml::pictures
