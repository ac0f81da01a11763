#include "xml/base64.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace texttoxml::xml {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The two characters of every 12-bit value: half a group of three bytes per
// lookup, which keeps the loop for megabytes of picture data short.
constexpr std::array<char, 2 * 4096> MakePairTable() {
  std::array<char, 2 * 4096> table{};
  for (std::size_t value = 0; value < 4096; ++value) {
    table[2 * value] = kAlphabet[value >> 6];
    table[2 * value + 1] = kAlphabet[value & 0x3F];
  }
  return table;
}

constexpr std::array<char, 2 * 4096> kPairs = MakePairTable();

void PutGroup(char* out, const unsigned char* in) {
  const std::uint32_t group = std::uint32_t{in[0]} << 16 | std::uint32_t{in[1]} << 8 | in[2];
  std::memcpy(out, &kPairs[2 * (group >> 12)], 2);
  std::memcpy(out + 2, &kPairs[2 * (group & 0xFFF)], 2);
}

}  // namespace

std::size_t Base64Size(std::size_t byteCount) {
  return (byteCount + 2) / 3 * 4;
}

std::string EncodeBase64(std::string_view bytes) {
  std::string text;
  text.reserve(Base64Size(bytes.size()));
  platform::StringOutputStream out(text);
  Base64Encoder encoder(out);
  encoder.Write(bytes.data(), bytes.size());
  encoder.Finish();
  return text;
}

std::size_t Base64Encoder::Write(const char* data, std::size_t size) {
  if (size == 0) return 0;  // an empty piece may come without a pointer
  const auto* in = reinterpret_cast<const unsigned char*>(data);
  std::size_t rest = size;
  if (pendingCount_ > 0) {
    const std::size_t taken = std::min(rest, pending_.size() - pendingCount_);
    std::memcpy(pending_.data() + pendingCount_, in, taken);
    pendingCount_ += taken;
    in += taken;
    rest -= taken;
    if (pendingCount_ < pending_.size()) return size;
    EncodeGroups(pending_.data(), 1);
    pendingCount_ = 0;
  }
  EncodeGroups(in, rest / 3);
  pendingCount_ = rest % 3;
  if (pendingCount_ > 0) std::memcpy(pending_.data(), in + rest - pendingCount_, pendingCount_);
  return size;
}

// A last group of one or two bytes: two or three characters, then "=" up to
// four.
void Base64Encoder::Finish() {
  if (pendingCount_ > 0) {
    std::fill(pending_.begin() + static_cast<std::ptrdiff_t>(pendingCount_), pending_.end(), 0);
    char group[4];
    PutGroup(group, pending_.data());
    std::fill(group + pendingCount_ + 1, group + 4, '=');
    platform::WriteAll(out_, group, 4);
  }
  pendingCount_ = 0;
}

// Encoded a stack buffer at a time and handed over from there.
void Base64Encoder::EncodeGroups(const unsigned char* bytes, std::size_t groupCount) {
  constexpr std::size_t kGroupsPerBlock = 1024;
  char block[4 * kGroupsPerBlock];
  while (groupCount > 0) {
    const std::size_t count = std::min(groupCount, kGroupsPerBlock);
    for (std::size_t i = 0; i < count; ++i) PutGroup(block + 4 * i, bytes + 3 * i);
    platform::WriteAll(out_, block, 4 * count);
    bytes += 3 * count;
    groupCount -= count;
  }
}

}  // namespace texttoxml::xml
