// One chunk of a PNG graphic: a four-letter name and its data. Chunk kinds
// that the graphic understands derive from Chunk and keep their fields; any
// other chunk is held as a plain Chunk with its data as read, and is written
// back unchanged.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace texttoxml::pictures {

class PngImage;
class ChunkIHDR;

// What a chunk may consult while it reads its data.
struct ChunkLoadContext {
  // The image header, the first chunk of the file; null while it is read.
  const ChunkIHDR* header = nullptr;
  // How many bytes compressed text chunks may still inflate to: what the
  // decoded pixels and the texts before leave of the decoded-pixel limit,
  // so that a small file cannot claim gigabytes of text.
  std::uint64_t textBudget = 0;
};

class Chunk {
 public:
  explicit Chunk(std::string_view name);
  virtual ~Chunk() = default;
  Chunk(const Chunk&) = delete;
  Chunk& operator=(const Chunk&) = delete;

  const std::string& Name() const { return name_; }
  // The data as read, or as set when the chunk was made in code.
  const std::string& Data() const { return data_; }
  std::size_t DataSize() const { return data_.size(); }

  // A new, empty chunk of the same class (and, for a plain chunk, name).
  virtual std::unique_ptr<Chunk> CreateNew() const;

  // Copies the source's content. A chunk kind that keeps fields of its own
  // raises PngError "The chunks must be compatible to be assigned." for a
  // source of another kind.
  virtual void Assign(const Chunk& source);

  // Takes the chunk's data, already checked against its CRC.
  virtual void Load(std::string_view data, ChunkLoadContext& context);

  // Appends the chunk's frame(s) to `out`.
  virtual void Save(const PngImage& owner, std::string& out) const;

  // Appends one frame made of Name() and Data().
  void SaveData(std::string& out) const;

 private:
  std::string name_;
  std::string data_;
};

// The source as a chunk of class T, or PngError "The chunks must be
// compatible to be assigned.".
[[noreturn]] void ThrowIncompatibleChunks();
template <class T>
const T& CompatibleChunk(const Chunk& source) {
  const T* typed = dynamic_cast<const T*>(&source);
  if (typed == nullptr) ThrowIncompatibleChunks();
  return *typed;
}

// True for a critical chunk name (first letter upper case).
bool IsCriticalChunkName(std::string_view name);

// A chunk of the class registered for `name`, or a plain Chunk.
std::unique_ptr<Chunk> CreateChunk(std::string_view name);

}  // namespace texttoxml::pictures
