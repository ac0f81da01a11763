// The GIF graphic ("TGIFImage"): a GIF file decoded into frames of colour
// indices, and written back by encoding them again. The file's own bytes
// are not kept.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/gif_blocks.h"
#include "pictures/gif_extensions.h"
#include "pictures/graphic.h"

namespace texttoxml::pictures {

struct GifColor {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const GifColor&, const GifColor&) = default;
};

// A colour table of up to 256 entries.
class GifColorMap {
 public:
  static constexpr int kMaxCount = 256;

  int Count() const { return static_cast<int>(colors_.size()); }
  const std::vector<GifColor>& Colors() const { return colors_; }
  // Raises GifException when the map already holds kMaxCount colours.
  void Add(GifColor color);
  void Clear() { colors_.clear(); }

  // The "sorted" flag; loading never sets it.
  bool Optimized() const { return optimized_; }
  void SetOptimized(bool optimized) { optimized_ = optimized; }

  // 0 without entries, else the smallest b >= 1 with 2^b >= Count().
  int BitsPerPixel() const;

 private:
  std::vector<GifColor> colors_;
  bool optimized_ = false;
};

struct GifLogicalScreenDescriptor {
  std::uint16_t screenWidth = 0;
  std::uint16_t screenHeight = 0;
  std::uint8_t packedFields = 0;
  std::uint8_t backgroundColorIndex = 0;
  std::uint8_t aspectRatio = 0;
};

struct GifHeader {
  GifLogicalScreenDescriptor logicalScreenDescriptor;
  GifColorMap colorMap;  // the global colour table
};

struct GifImageDescriptor {
  static constexpr std::uint8_t kInterlaced = 0x40;

  std::uint16_t left = 0;
  std::uint16_t top = 0;
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint8_t packedFields = 0;

  bool Interlaced() const { return (packedFields & kInterlaced) != 0; }
};

struct GifFrame {
  GifImageDescriptor imageDescriptor;
  GifColorMap colorMap;  // the local colour table
  // width * height colour indices, rows top to bottom in display order.
  std::vector<std::uint8_t> data;
  GifExtensionList extensions;  // in file order

  bool Empty() const;
  // The local map when it has entries, else the global one when that has
  // entries, else the (empty) local map.
  const GifColorMap& ActiveColorMap(const GifColorMap& global) const;
  GifVersion Version() const;
};

class GifImage : public Graphic {
 public:
  GifImage() = default;

  std::string_view ClassName() const override { return "TGIFImage"; }
  std::unique_ptr<Graphic> CreateNew() const override;
  // Takes a copy of another GifImage: every non-empty frame with its active
  // colour map as its own local map and with its extensions in their
  // stored form; empty frames stay empty and lose their extensions.
  void Assign(const Graphic& source) override;

  bool Empty() const override { return images_.empty(); }
  int Width() const override { return header_.logicalScreenDescriptor.screenWidth; }
  int Height() const override { return header_.logicalScreenDescriptor.screenHeight; }

  // Decodes a GIF file. On failure (GifException, or InvalidGraphicError
  // when the decoded frames would exceed the pixel limit) the graphic keeps
  // its previous content.
  void LoadFromBytes(std::string_view bytes) override;
  // Encodes the frames as a GIF file; GifException "Cannot save empty GIF"
  // without frames.
  void SaveToStream(std::string& out) const override;

  // The highest version of the frames; kUnknown without frames.
  GifVersion Version() const;

  const GifHeader& Header() const { return header_; }
  GifHeader& Header() { return header_; }
  const std::vector<GifFrame>& Images() const { return images_; }
  std::vector<GifFrame>& Images() { return images_; }

  // Receives the problems that loading passes over (none by default).
  void SetWarningHandler(GifWarningHandler handler) { warnings_ = std::move(handler); }

 private:
  GifHeader header_;
  std::vector<GifFrame> images_;
  GifWarningHandler warnings_;
};

}  // namespace texttoxml::pictures
