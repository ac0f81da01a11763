#include "pictures/png_chunk.h"

#include <zlib.h>

#include "pictures/picture_errors.h"
#include "pictures/png_bytes.h"
#include "pictures/png_chunks.h"
#include "pictures/png_header.h"

namespace texttoxml::pictures {

std::uint32_t ChunkCrc(std::string_view name, std::string_view data) {
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, reinterpret_cast<const Bytef*>(name.data()), static_cast<uInt>(name.size()));
  // zlib answers 0 for a null buffer, which an empty view may have.
  if (!data.empty()) {
    crc = crc32_z(crc, reinterpret_cast<const Bytef*>(data.data()), data.size());
  }
  return static_cast<std::uint32_t>(crc);
}

void WriteChunkFrame(std::string_view name, std::string_view data, std::string& out) {
  AppendU32Be(out, static_cast<std::uint32_t>(data.size()));
  out += name;
  out += data;
  AppendU32Be(out, ChunkCrc(name, data));
}

Chunk::Chunk(std::string_view name) : name_(name) {}

std::unique_ptr<Chunk> Chunk::CreateNew() const {
  return std::make_unique<Chunk>(name_);
}

void Chunk::Assign(const Chunk& source) {
  name_ = source.name_;
  data_ = source.data_;
}

void Chunk::Load(std::string_view data, ChunkLoadContext&) {
  data_ = data;
}

void Chunk::Save(const PngImage&, std::string& out) const {
  SaveData(out);
}

void Chunk::SaveData(std::string& out) const {
  WriteChunkFrame(name_, data_, out);
}

void ThrowIncompatibleChunks() {
  throw PngIncompatibleChunksError();
}

bool IsCriticalChunkName(std::string_view name) {
  // Bit 5 of the first letter is the "ancillary" bit.
  return !name.empty() && (static_cast<unsigned char>(name[0]) & 0x20) == 0;
}

std::unique_ptr<Chunk> CreateChunk(std::string_view name) {
  if (name == "IEND") return std::make_unique<ChunkIEND>();
  if (name == "IHDR") return std::make_unique<ChunkIHDR>();
  if (name == "IDAT") return std::make_unique<ChunkIDAT>();
  if (name == "PLTE") return std::make_unique<ChunkPLTE>();
  if (name == "gAMA") return std::make_unique<ChunkgAMA>();
  if (name == "tRNS") return std::make_unique<ChunktRNS>();
  if (name == "pHYs") return std::make_unique<ChunkpHYs>();
  if (name == "tIME") return std::make_unique<ChunktIME>();
  if (name == "tEXt") return std::make_unique<ChunktEXt>();
  if (name == "zTXt") return std::make_unique<ChunkzTXt>();
  return std::make_unique<Chunk>(name);
}

}  // namespace texttoxml::pictures
