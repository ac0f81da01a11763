#include "pictures/metafile_format.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>

#include "pictures/little_endian.h"
#include "pictures/picture_errors.h"
#include "platform/platform_errors.h"

namespace texttoxml::pictures {

namespace {

constexpr std::uint32_t kEnhancedHeaderRecord = 1;
constexpr std::uint32_t kEnhancedEndRecord = 14;
constexpr std::uint32_t kEnhancedSignature = 0x464D4520;  // " EMF"
constexpr std::size_t kEnhancedMinHeader = 88;

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableHeaderSize = 22;
constexpr std::size_t kWindowsHeaderSize = 18;
constexpr std::size_t kWindowsSizeAt = 6;      // the whole metafile, in words
constexpr std::size_t kWindowsLargestAt = 12;  // the largest record, in words
constexpr std::uint16_t kWindowsEndFunction = 0;
constexpr std::int64_t kDefaultInch = 96;

[[noreturn]] void Invalid() {
  throw InvalidMetafileError();
}

std::int32_t Clamp32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// Every record: type and size, a size that is a multiple of 4 and stays
// inside the stream; the last one is the end-of-file record.
bool SoundEnhancedRecords(std::string_view stream) {
  std::size_t at = 0;
  std::uint32_t type = 0;
  while (stream.size() - at >= 8) {
    type = ReadU32Le(stream, at);
    const std::uint32_t size = ReadU32Le(stream, at + 4);
    if (size < 8 || size % 4 != 0 || size > stream.size() - at) return false;
    if (at == 0 && (type != kEnhancedHeaderRecord || size < kEnhancedMinHeader)) {
      return false;
    }
    at += size;
  }
  return at == stream.size() && type == kEnhancedEndRecord;
}

// The checksum of a placeable header: the exclusive-or of its first ten
// 16-bit words.
std::uint16_t PlaceableChecksum(std::string_view header) {
  std::uint16_t sum = 0;
  for (std::size_t i = 0; i < 20; i += 2) sum ^= ReadU16Le(header, i);
  return sum;
}

struct WindowsRecords {
  std::size_t length = 0;  // up to and including the end record
  std::uint32_t largestWords = 0;
};

// The standard header, then records (size in 16-bit words, function) up to
// the end record. The length is 0 when the stream is not sound.
WindowsRecords ReadWindowsRecords(std::string_view records) {
  if (records.size() < kWindowsHeaderSize) return {};
  const std::uint16_t type = ReadU16Le(records, 0);
  const std::uint16_t headerWords = ReadU16Le(records, 2);
  const std::uint16_t version = ReadU16Le(records, 4);
  if ((type != 1 && type != 2) || headerWords != kWindowsHeaderSize / 2 ||
      (version != 0x0100 && version != 0x0300)) {
    return {};
  }
  WindowsRecords found;
  std::size_t at = kWindowsHeaderSize;
  while (records.size() - at >= 6) {
    const std::uint32_t words = ReadU32Le(records, at);
    const std::uint64_t size = std::uint64_t{words} * 2;
    const std::uint16_t function = ReadU16Le(records, at + 4);
    if (size < 6 || size > records.size() - at) return {};
    at += size;
    found.largestWords = std::max(found.largestWords, words);
    if (function == kWindowsEndFunction) {
      found.length = at;
      return found;
    }
  }
  return {};
}

// The records as held: cut after the end record, with the header's size
// and largest-record fields stating what is there, whatever the file's
// header claimed.
std::string ConsistentRecords(std::string_view records, const WindowsRecords& found) {
  std::string held(records.substr(0, found.length));
  PutU32Le(held, kWindowsSizeAt, static_cast<std::uint32_t>(found.length / 2));
  PutU32Le(held, kWindowsLargestAt, found.largestWords);
  return held;
}

}  // namespace

std::int64_t MulDivRound(std::int64_t a, std::int64_t b, std::int64_t c) {
  if (c == 0) return 0;
  const std::int64_t product = a * b;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = (std::abs(product) + std::abs(c) / 2) / std::abs(c);
  return negative ? -magnitude : magnitude;
}

bool LooksEnhanced(std::string_view bytes) {
  return bytes.size() > 100 && ReadU32Le(bytes, 0) == kEnhancedHeaderRecord &&
         ReadU32Le(bytes, 40) == kEnhancedSignature;
}

MetafileImage ReadEnhancedMetafile(std::string_view bytes) {
  const std::uint32_t total = ReadU32Le(bytes, 48);
  if (total > bytes.size()) Invalid();
  std::string_view stream = bytes.substr(0, total);
  if (!SoundEnhancedRecords(stream)) Invalid();
  MetafileImage image;
  image.records = std::string(stream);
  image.enhanced = true;
  image.mmWidth = Clamp32(std::int64_t{ReadI32Le(bytes, 32)} - ReadI32Le(bytes, 24));
  image.mmHeight = Clamp32(std::int64_t{ReadI32Le(bytes, 36)} - ReadI32Le(bytes, 28));
  image.devicePixelsX = ReadI32Le(bytes, 72);
  image.devicePixelsY = ReadI32Le(bytes, 76);
  image.deviceMmX = ReadI32Le(bytes, 80);
  image.deviceMmY = ReadI32Le(bytes, 84);
  return image;
}

MetafileImage ReadPlaceableMetafile(std::string_view bytes) {
  // The placeable header is read whole before it is checked.
  if (bytes.size() < kPlaceableHeaderSize) throw ReadError();
  if (ReadU32Le(bytes, 0) != kPlaceableKey || ReadU16Le(bytes, 20) != PlaceableChecksum(bytes)) {
    Invalid();
  }
  std::string_view records = bytes.substr(kPlaceableHeaderSize);
  const WindowsRecords found = ReadWindowsRecords(records);
  if (found.length == 0) Invalid();
  MetafileImage image;
  image.records = ConsistentRecords(records, found);
  image.inch = ReadU16Le(bytes, 14);
  const std::int64_t inch = image.inch != 0 ? image.inch : kDefaultInch;
  const std::int64_t width = std::int64_t{ReadI16Le(bytes, 10)} - ReadI16Le(bytes, 6);
  const std::int64_t height = std::int64_t{ReadI16Le(bytes, 12)} - ReadI16Le(bytes, 8);
  image.mmWidth = Clamp32(MulDivRound(width, 2540, inch));
  image.mmHeight = Clamp32(MulDivRound(height, 2540, inch));
  return image;
}

void AppendPlaceableHeader(const MetafileImage& image, std::string& out) {
  const std::int64_t inch = image.inch != 0 ? image.inch : kDefaultInch;
  std::string header;
  AppendU32Le(header, kPlaceableKey);
  AppendU16Le(header, 0);  // handle
  AppendU16Le(header, 0);  // left
  AppendU16Le(header, 0);  // top
  AppendU16Le(header, static_cast<std::uint32_t>(MulDivRound(image.mmWidth, inch, 2540)) & 0xFFFF);
  AppendU16Le(header, static_cast<std::uint32_t>(MulDivRound(image.mmHeight, inch, 2540)) & 0xFFFF);
  AppendU16Le(header, static_cast<std::uint32_t>(inch));
  AppendU32Le(header, 0);  // reserved
  AppendU16Le(header, PlaceableChecksum(header));
  out += header;
}

}  // namespace texttoxml::pictures
