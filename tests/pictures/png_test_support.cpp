#include "png_test_support.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstring>

namespace texttoxml::testing {

std::string U32Be(std::uint32_t value) {
  std::string out;
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
  return out;
}

namespace {

std::uint32_t Crc(std::string_view name, std::string_view data) {
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, reinterpret_cast<const Bytef*>(name.data()), static_cast<uInt>(name.size()));
  crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
  return static_cast<std::uint32_t>(crc);
}

std::uint32_t ReadU32(std::string_view bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<std::uint8_t>(bytes[offset + i]);
  return value;
}

}  // namespace

std::string PngFrame(std::string_view name, std::string_view data) {
  return U32Be(static_cast<std::uint32_t>(data.size())) + std::string(name) + std::string(data) +
         U32Be(Crc(name, data));
}

std::string IhdrData(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType,
                     int interlace, int compression) {
  std::string data = U32Be(width) + U32Be(height);
  for (int field : {bitDepth, colorType, compression, 0, interlace})
    data += static_cast<char>(field);
  return data;
}

std::string Deflate(std::string_view raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
            static_cast<uLong>(raw.size()), 9);
  out.resize(size);
  return out;
}

std::string Inflate(std::string_view stream) {
  z_stream z{};
  inflateInit(&z);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
  z.avail_in = static_cast<uInt>(stream.size());
  std::string out;
  char buffer[65536];
  int result = Z_OK;
  while (result == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(buffer);
    z.avail_out = sizeof buffer;
    result = inflate(&z, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - z.avail_out);
  }
  inflateEnd(&z);
  return result == Z_STREAM_END ? out : "<error>";
}

std::string MakePng(std::string_view ihdrData, const std::vector<std::string>& frames) {
  std::string png = kPngSignature + PngFrame("IHDR", ihdrData);
  for (const std::string& frame : frames) png += frame;
  return png + PngFrame("IEND", "");
}

std::vector<PngChunkFrame> SplitPng(std::string_view png) {
  std::vector<PngChunkFrame> frames;
  if (png.substr(0, 8) != kPngSignature) return frames;
  std::size_t at = 8;
  while (at + 12 <= png.size()) {
    const std::uint32_t length = ReadU32(png, at);
    if (length > png.size() - at - 12) return {};
    PngChunkFrame frame;
    frame.name = std::string(png.substr(at + 4, 4));
    frame.data = std::string(png.substr(at + 8, length));
    frame.crcOk = ReadU32(png, at + 8 + length) == Crc(frame.name, frame.data);
    frames.push_back(std::move(frame));
    at += 12 + length;
  }
  if (at != png.size()) return {};
  return frames;
}

std::vector<std::string> ChunkNames(const std::vector<PngChunkFrame>& frames) {
  std::vector<std::string> names;
  for (const auto& frame : frames) names.push_back(frame.name);
  return names;
}

std::string JoinedImageData(const std::vector<PngChunkFrame>& frames) {
  std::string data;
  for (const auto& frame : frames) {
    if (frame.name == "IDAT") data += frame.data;
  }
  return data;
}

namespace {

struct MemoryInput {
  const std::string* bytes;
  std::size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (count > input->bytes->size() - input->position) png_error(png, "read past the end");
  std::memcpy(out, input->bytes->data() + input->position, count);
  input->position += count;
}

void OnError(png_structp png, png_const_charp message) {
  static_cast<LibpngImage*>(png_get_error_ptr(png))->error = message;
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Everything that may be interrupted by libpng's long jump; it owns no C++
// objects of its own.
bool Decode(png_structp png, png_infop info, bool transparencyToAlpha, LibpngImage& image,
            std::vector<png_bytep>& rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  image.width = png_get_image_width(png, info);
  image.height = png_get_image_height(png, info);
  image.colorType = png_get_color_type(png, info);
  image.bitDepth = png_get_bit_depth(png, info);
  image.interlace = png_get_interlace_type(png, info);
  if (image.colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (image.colorType == PNG_COLOR_TYPE_GRAY && image.bitDepth < 8)
    png_set_expand_gray_1_2_4_to_8(png);
  if (transparencyToAlpha) png_set_tRNS_to_alpha(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  image.channels = png_get_channels(png, info);
  image.sampleBits = png_get_bit_depth(png, info);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  image.pixels.resize(rowBytes * image.height);
  rows.resize(image.height);
  for (std::uint32_t y = 0; y < image.height; ++y) rows[y] = image.pixels.data() + y * rowBytes;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

LibpngImage DecodeWithLibpng(const std::string& bytes, bool transparencyToAlpha) {
  LibpngImage image;
  MemoryInput input{&bytes, 0};
  std::vector<png_bytep> rows;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &image, OnError, OnWarning);
  png_infop info = png_create_info_struct(png);
  png_set_read_fn(png, &input, ReadFromMemory);
  image.ok = Decode(png, info, transparencyToAlpha, image, rows);
  png_destroy_read_struct(&png, &info, nullptr);
  return image;
}

}  // namespace texttoxml::testing
