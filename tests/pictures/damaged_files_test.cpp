// Damaged files of every kind: cut short at every length, or with one byte
// of their headers changed. Each must load or fail with the library's own
// exception; the sanitizer builds catch any read outside the buffers.
#include <gtest/gtest.h>

#include <functional>

#include "error.h"
#include "kinds_test_support.h"
#include "pictures/bitmap.h"
#include "pictures/icon.h"
#include "pictures/jpeg_image.h"
#include "pictures/metafile.h"
#include "pictures/wic_image.h"

namespace texttoxml::pictures {
namespace {

using testing::ReadKinds;
using testing::ReadSuite;

// Loads `bytes`; a loaded bitmap also has every row decoded. Returns true
// when the load succeeded.
template <class Kind>
bool LoadsOrFailsCleanly(std::string_view bytes) {
  Kind graphic;
  try {
    graphic.LoadFromBytes(bytes);
  } catch (const Error&) {
    return false;
  }
  if constexpr (std::is_same_v<Kind, Bitmap>) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(graphic.Width()) * 3);
    for (int y = 0; y < graphic.Height(); ++y) graphic.RowToRgb(y, rgb.data());
  }
  std::string out;
  graphic.SaveToStream(out);
  return true;
}

// Returns how many of the damaged forms still loaded. Long files are cut
// and changed at every few bytes only, to keep the sanitizer runs short.
template <class Kind>
int Damage(const std::string& file, std::size_t headerBytes) {
  const std::size_t step = 1 + file.size() / 2000;
  int loaded = 0;
  for (std::size_t length = 0; length < file.size(); length += step) {
    loaded += LoadsOrFailsCleanly<Kind>(file.substr(0, length));
  }
  for (std::size_t at = 0; at < std::min(headerBytes, file.size()); at += at < 200 ? 1 : step) {
    for (char value : {'\x00', '\x7F', '\xFF'}) {
      std::string changed = file;
      changed[at] = value;
      loaded += LoadsOrFailsCleanly<Kind>(changed);
    }
  }
  return loaded;
}

TEST(DamagedFiles, BitmapsNeverReadOutside) {
  for (const char* name : {"g/pal8rle.bmp", "g/pal4rle.bmp", "g/pal8os2.bmp", "g/rgb16-565pal.bmp",
                           "g/pal8v5.bmp", "q/pal2.bmp", "q/pal8os2v2-16.bmp", "q/rgba32abf.bmp"}) {
    SCOPED_TRACE(name);
    const std::string file = ReadSuite(name);
    // Run-length data: damage anywhere in the stream.
    const std::size_t header =
        std::string_view(name).find("rle") != std::string_view::npos ? file.size() : 160;
    EXPECT_GT(Damage<Bitmap>(file, header), 0);
  }
}

TEST(DamagedFiles, OtherKindsNeverReadOutside) {
  const std::string emf = testing::MakeEnhancedMetafile(100, 100);
  const std::string wmf = testing::MakePlaceableHeader(0, 0, 50, 50, 96) +
                          testing::MakeWindowsRecords();
  EXPECT_GT(Damage<Metafile>(emf, emf.size()), 0);
  EXPECT_GT(Damage<Metafile>(wmf, wmf.size()), 0);
  EXPECT_GT(Damage<Icon>(ReadKinds("icon.ico"), 40), 0);
  EXPECT_GT(Damage<JpegImage>(ReadKinds("progressive.jpg"), 200), 0);
  for (const char* name : {"quarters.tif", "icon.ico", "quarters.gif", "colour.jpg"}) {
    SCOPED_TRACE(name);
    const std::string file = ReadKinds(name);
    EXPECT_GT(Damage<WicImage>(file, file.size()), 0);
  }
}

}  // namespace
}  // namespace texttoxml::pictures
