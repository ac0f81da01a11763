// Helpers of the GIF tests: GIF files put together byte by byte, and an
// independent decoding of them with giflib.
#pragma once

#include <gif_lib.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/gif_image.h"
#include "pictures/gif_lzw.h"

namespace texttoxml::pictures::testing {

inline std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

inline std::string Le16(unsigned value) {
  return Bytes({int(value & 0xFF), int(value >> 8)});
}

inline std::string Screen(unsigned width, unsigned height, int packedFields, int background = 0,
                          int aspect = 0) {
  return Le16(width) + Le16(height) + Bytes({packedFields, background, aspect});
}

// `count` distinct colours: entry i is (i, 255 - i, 3 * i).
inline std::string Palette(int count) {
  std::string table;
  for (int i = 0; i < count; ++i) table += Bytes({i, 255 - i, (3 * i) & 0xFF});
  return table;
}

inline std::string Descriptor(unsigned left, unsigned top, unsigned width, unsigned height,
                              int packedFields) {
  return "," + Le16(left) + Le16(top) + Le16(width) + Le16(height) + Bytes({packedFields});
}

// The image data block of `pixels`, from this system's encoder (checked
// against giflib on its own).
inline std::string ImageData(const std::vector<std::uint8_t>& pixels, int width, int height,
                             int bitsPerPixel, bool interlaced = false) {
  std::string out;
  WriteGifImageData({pixels, width, height, interlaced, bitsPerPixel, 1 << bitsPerPixel}, out);
  return out;
}

// A GIF89a file of one width x height frame with a global table of
// 2^bitsPerPixel colours; `extensions` go before the image.
inline std::string SimpleGif(const std::vector<std::uint8_t>& pixels, int width, int height,
                             int bitsPerPixel, const std::string& extensions = "") {
  return "GIF89a" + Screen(width, height, 0x80 | (bitsPerPixel - 1)) + Palette(1 << bitsPerPixel) +
         extensions + Descriptor(0, 0, width, height, 0) +
         ImageData(pixels, width, height, bitsPerPixel) + ";";
}

// What giflib finds in a GIF file.
struct GiflibFrame {
  int left = 0, top = 0, width = 0, height = 0;
  bool interlaced = false;
  bool localTable = false;
  std::vector<std::uint8_t> indices;                    // rows top to bottom
  std::vector<GifColor> colors;                         // each pixel through the active table
  std::vector<std::pair<int, std::string>> extensions;  // code, data
};

struct GiflibImage {
  bool ok = false;
  int error = 0;
  int width = 0, height = 0;
  std::vector<GiflibFrame> frames;
  std::vector<std::pair<int, std::string>> trailingExtensions;
};

inline int ReadFromView(GifFileType* file, GifByteType* buffer, int size) {
  auto* view = static_cast<std::string_view*>(file->UserData);
  std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(size), view->size());
  std::copy_n(view->data(), n, buffer);
  view->remove_prefix(n);
  return static_cast<int>(n);
}

inline std::vector<std::pair<int, std::string>> GiflibExtensions(int count,
                                                                 const ExtensionBlock* blocks) {
  std::vector<std::pair<int, std::string>> extensions;
  for (int i = 0; i < count; ++i) {
    std::string data(reinterpret_cast<const char*>(blocks[i].Bytes),
                     static_cast<std::size_t>(blocks[i].ByteCount));
    extensions.emplace_back(blocks[i].Function, data);
  }
  return extensions;
}

inline GiflibImage DecodeWithGiflib(std::string_view bytes) {
  GiflibImage image;
  GifFileType* file = DGifOpen(&bytes, ReadFromView, &image.error);
  if (file == nullptr) return image;
  if (DGifSlurp(file) == GIF_OK) {
    image.ok = true;
    image.width = file->SWidth;
    image.height = file->SHeight;
    for (int i = 0; i < file->ImageCount; ++i) {
      const SavedImage& saved = file->SavedImages[i];
      GiflibFrame frame;
      frame.left = saved.ImageDesc.Left;
      frame.top = saved.ImageDesc.Top;
      frame.width = saved.ImageDesc.Width;
      frame.height = saved.ImageDesc.Height;
      frame.interlaced = saved.ImageDesc.Interlace;
      frame.localTable = saved.ImageDesc.ColorMap != nullptr;
      const ColorMapObject* map = frame.localTable ? saved.ImageDesc.ColorMap : file->SColorMap;
      const std::size_t count = static_cast<std::size_t>(frame.width) * frame.height;
      frame.indices.assign(saved.RasterBits, saved.RasterBits + count);
      for (std::uint8_t index : frame.indices) {
        GifColor color;
        if (map != nullptr && index < map->ColorCount) {
          color = {map->Colors[index].Red, map->Colors[index].Green, map->Colors[index].Blue};
        }
        frame.colors.push_back(color);
      }
      frame.extensions = GiflibExtensions(saved.ExtensionBlockCount, saved.ExtensionBlocks);
      image.frames.push_back(std::move(frame));
    }
    image.trailingExtensions = GiflibExtensions(file->ExtensionBlockCount, file->ExtensionBlocks);
  } else {
    image.error = file->Error;
  }
  DGifCloseFile(file, nullptr);
  return image;
}

// Each pixel of a frame through its active colour table (black beyond it).
inline std::vector<GifColor> FrameColors(const GifImage& image, const GifFrame& frame) {
  const GifColorMap& map = frame.ActiveColorMap(image.Header().colorMap);
  std::vector<GifColor> colors;
  for (std::uint8_t index : frame.data) {
    colors.push_back(index < map.Count() ? map.Colors()[index] : GifColor{});
  }
  return colors;
}

}  // namespace texttoxml::pictures::testing
