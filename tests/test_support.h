// Small helpers shared by the test programs.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace texttoxml::testing {

// A fresh folder under the system's temporary folder, removed with its
// content when the object goes.
class TempDir {
 public:
  TempDir() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("texttoxml-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string Path() const { return path_.string(); }
  std::string File(std::string_view name) const { return (path_ / name).string(); }

  // Writes bytes to a file in the folder and returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const {
    std::string path = File(name);
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

 private:
  std::filesystem::path path_;
};

// Reads a whole file; a file that is not there is an error, so that a test
// whose data is missing fails instead of passing on empty bytes.
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read test data " + path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The pieces of `text` between the separators, in order; the last piece is
// what follows the last separator (empty when the text ends with one).
inline std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos;
       start = end + separator.size())
    pieces.emplace_back(text.substr(start, end - start));
  pieces.emplace_back(text.substr(start));
  return pieces;
}

// Bytes as upper-case hexadecimal text, two digits a byte, for readable
// comparisons.
inline std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned char byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

// Whether `text` has the form of a GUID as the system writes it:
// 8-4-4-4-12 upper-case hexadecimal digits.
inline bool IsGuidText(std::string_view text) {
  if (text.size() != 36) return false;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    const bool hyphen = k == 8 || k == 13 || k == 18 || k == 23;
    if (hyphen ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  return true;
}

// The names in a folder, sorted: what a failed write must not leave behind.
inline std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace texttoxml::testing

namespace texttoxml::testing {

// Standard base64 decoding, for checking what the writers embed.
inline std::string DecodeBase64(std::string_view text) {
  auto value = [](char c) -> int {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
  };
  std::string bytes;
  unsigned buffer = 0;
  int bits = 0;
  for (char c : text) {
    int v = value(c);
    if (v < 0) break;
    buffer = (buffer << 6) | static_cast<unsigned>(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes += static_cast<char>((buffer >> bits) & 0xFF);
    }
  }
  return bytes;
}

}  // namespace texttoxml::testing
