// The chunk kinds of a PNG graphic other than the image header: palette,
// transparency, gamma, physical size, time, text, compressed text, image
// data and end.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pictures/png_chunk.h"

namespace texttoxml::pictures {

struct PaletteEntry {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const PaletteEntry&) const = default;
};

// "PLTE". Keeps its own entries, so that a suggested palette in a true-colour
// image is written back exactly as it was read.
class ChunkPLTE : public Chunk {
 public:
  ChunkPLTE() : Chunk("PLTE") {}
  std::unique_ptr<Chunk> CreateNew() const override;
  void Assign(const Chunk& source) override;
  // Fails with PngInvalidPaletteError unless the length is a multiple of 3
  // and at most 768.
  void Load(std::string_view data, ChunkLoadContext& context) override;
  // Writes Count() entries; a palette image whose chunk has none gets one
  // black entry per index that its bit depth can address.
  void Save(const PngImage& owner, std::string& out) const override;

  int Count() const { return static_cast<int>(entries_.size()); }
  const std::vector<PaletteEntry>& Entries() const { return entries_; }
  void SetEntries(std::vector<PaletteEntry> entries);

 private:
  std::vector<PaletteEntry> entries_;
};

// "tRNS": one alpha value per palette index (255 beyond the data), or the
// one transparent grey level or colour of a grey or RGB image.
class ChunktRNS : public Chunk {
 public:
  ChunktRNS();
  std::unique_ptr<Chunk> CreateNew() const override;
  void Assign(const Chunk& source) override;
  // Fails with PngInvalidPaletteError for more than 256 bytes.
  void Load(std::string_view data, ChunkLoadContext& context) override;
  // The data as held; for an image of 16-bit samples, which are written
  // with a low byte of 0, the transparent level or colour is written the
  // same way, so that it still matches the pixels it matched.
  void Save(const PngImage& owner, std::string& out) const override;

  std::uint8_t Value(int index) const { return values_[static_cast<std::size_t>(index)]; }
  bool BitTransparency() const { return bitTransparency_; }

 private:
  std::array<std::uint8_t, 256> values_;
  bool bitTransparency_ = false;
};

// "gAMA". The gamma is recorded and written back as it was; pixel values are
// never mapped through it (a decoding table followed by its inverse is not a
// true round trip and would change colours on every load and store).
class ChunkgAMA : public Chunk {
 public:
  ChunkgAMA() : Chunk("gAMA") {}
  std::unique_ptr<Chunk> CreateNew() const override;
  void Assign(const Chunk& source) override;
  // The gamma times 100000, or 0 when the data is not 4 bytes long.
  std::uint32_t Gamma() const;
};

// "pHYs": pixels per unit; the fields stay 0 unless the data is 9 bytes.
class ChunkpHYs : public Chunk {
 public:
  ChunkpHYs() : Chunk("pHYs") {}
  std::unique_ptr<Chunk> CreateNew() const override;
  void Assign(const Chunk& source) override;
  void Load(std::string_view data, ChunkLoadContext& context) override;
  void Save(const PngImage& owner, std::string& out) const override;

  std::uint32_t PPUnitX() const { return ppUnitX_; }
  std::uint32_t PPUnitY() const { return ppUnitY_; }
  std::uint8_t UnitType() const { return unitType_; }

 private:
  std::uint32_t ppUnitX_ = 0, ppUnitY_ = 0;
  std::uint8_t unitType_ = 0;
};

// "tIME": the last modification; the fields stay 0 unless the data is 7
// bytes.
class ChunktIME : public Chunk {
 public:
  struct Time {
    std::uint16_t year = 0;
    std::uint8_t month = 0, day = 0, hour = 0, minute = 0, second = 0;
  };
  ChunktIME() : Chunk("tIME") {}
  std::unique_ptr<Chunk> CreateNew() const override;
  void Assign(const Chunk& source) override;
  void Load(std::string_view data, ChunkLoadContext& context) override;
  void Save(const PngImage& owner, std::string& out) const override;

  const Time& Value() const { return time_; }

 private:
  Time time_;
};

// "tEXt": a keyword and its text, both as bytes.
class ChunktEXt : public Chunk {
 public:
  ChunktEXt() : ChunktEXt("tEXt") {}
  std::unique_ptr<Chunk> CreateNew() const override;
  void Assign(const Chunk& source) override;
  void Load(std::string_view data, ChunkLoadContext& context) override;
  void Save(const PngImage& owner, std::string& out) const override;

  const std::string& Keyword() const { return keyword_; }
  const std::string& Text() const { return *text_; }

 protected:
  explicit ChunktEXt(std::string_view name) : Chunk(name) {}
  // Splits "keyword\0rest" and returns the rest (empty without a zero byte).
  std::string_view TakeKeyword(std::string_view data);
  void SetText(std::string text) { text_ = std::make_shared<const std::string>(std::move(text)); }

 private:
  std::string keyword_;
  // Shared by copies: an inflated text may be hundreds of megabytes, and a
  // copied graphic (the one a rich document holds) must not double it.
  std::shared_ptr<const std::string> text_ = std::make_shared<const std::string>();
};

// "zTXt": a keyword and its text, the text stored deflated. A text that
// cannot be inflated, or would not fit in what the decoded pixels and the
// file's earlier texts leave of the decoded-pixel limit, is left empty.
class ChunkzTXt : public ChunktEXt {
 public:
  ChunkzTXt() : ChunktEXt("zTXt") {}
  std::unique_ptr<Chunk> CreateNew() const override;
  void Assign(const Chunk& source) override;
  void Load(std::string_view data, ChunkLoadContext& context) override;
  void Save(const PngImage& owner, std::string& out) const override;
};

// "IDAT": stands for all of the image data, which lives in the header's
// pixel store; it is written as IDAT frames of the graphic's MaxIdatSize.
class ChunkIDAT : public Chunk {
 public:
  ChunkIDAT() : Chunk("IDAT") {}
  std::unique_ptr<Chunk> CreateNew() const override;
  void Save(const PngImage& owner, std::string& out) const override;
};

// "IEND": always written empty.
class ChunkIEND : public Chunk {
 public:
  ChunkIEND() : Chunk("IEND") {}
  std::unique_ptr<Chunk> CreateNew() const override;
  void Save(const PngImage& owner, std::string& out) const override;
};

}  // namespace texttoxml::pictures
