#include "pictures/tiff_reader.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <memory>
#include <vector>

#include "pictures/limits.h"
#include "pictures/picture_errors.h"

namespace texttoxml::pictures {

namespace {

struct MemoryFile {
  std::string_view bytes;
  std::uint64_t position = 0;
};

MemoryFile& FileOf(thandle_t handle) {
  return *static_cast<MemoryFile*>(handle);
}

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
  MemoryFile& file = FileOf(handle);
  if (size <= 0 || file.position >= file.bytes.size()) return 0;
  const std::uint64_t count =
      std::min<std::uint64_t>(static_cast<std::uint64_t>(size), file.bytes.size() - file.position);
  std::memcpy(buffer, file.bytes.data() + file.position, count);
  file.position += count;
  return static_cast<tmsize_t>(count);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) {
  return 0;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  MemoryFile& file = FileOf(handle);
  std::uint64_t base = 0;
  if (whence == SEEK_CUR) base = file.position;
  if (whence == SEEK_END) base = file.bytes.size();
  // Offsets come as unsigned numbers; a backward move wraps around, which
  // unsigned addition undoes.
  file.position = base + offset;
  return file.position;
}

int CloseProc(thandle_t) {
  return 0;
}
toff_t SizeProc(thandle_t handle) {
  return FileOf(handle).bytes.size();
}
int MapProc(thandle_t, void**, toff_t*) {
  return 0;
}
void UnmapProc(thandle_t, void*, toff_t) {}

// Handled, so that nothing reaches libtiff's printing handlers.
int StayQuiet(TIFF*, void*, const char*, const char*, va_list) {
  return 1;
}

struct TiffCloser {
  void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

std::unique_ptr<TIFF, TiffCloser> OpenFromMemory(MemoryFile& file) {
  std::unique_ptr<TIFFOpenOptions, decltype(&TIFFOpenOptionsFree)> options(TIFFOpenOptionsAlloc(),
                                                                           &TIFFOpenOptionsFree);
  if (!options) throw InvalidImageError();
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), StayQuiet, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), StayQuiet, nullptr);
  TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), static_cast<tmsize_t>(kMaxDecodedPixelBytes));
  std::unique_ptr<TIFF, TiffCloser> tiff(TIFFClientOpenExt("memory", "rm", &file, ReadProc,
                                                           WriteProc, SeekProc, CloseProc, SizeProc,
                                                           MapProc, UnmapProc, options.get()));
  if (!tiff) throw InvalidImageError();
  return tiff;
}

}  // namespace

FrameSize DecodeTiffFirstFrame(std::string_view bytes) {
  MemoryFile file{bytes};
  auto tiff = OpenFromMemory(file);
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  if (TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) != 1 ||
      TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height) != 1 || width == 0 || height == 0 ||
      width > INT32_MAX || height > INT32_MAX) {
    throw InvalidImageError();
  }
  CheckImageSize(width, height, 32);
  std::vector<std::uint32_t> raster(std::size_t{width} * height);
  if (TIFFReadRGBAImage(tiff.get(), width, height, raster.data(), 1) != 1) {
    throw InvalidImageError();
  }
  return {static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace texttoxml::pictures
