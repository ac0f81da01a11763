// Small helpers shared by the test programs.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
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
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

 private:
  std::filesystem::path path_;
};

// $TMPDIR set for one test, and as it was afterwards.
class TemporaryFolderSetting {
 public:
  explicit TemporaryFolderSetting(const std::string& folder) {
    if (const char* old = std::getenv("TMPDIR")) old_ = old;
    ::setenv("TMPDIR", folder.c_str(), 1);
  }
  ~TemporaryFolderSetting() {
    if (old_) {
      ::setenv("TMPDIR", old_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
  }
  TemporaryFolderSetting(const TemporaryFolderSetting&) = delete;
  TemporaryFolderSetting& operator=(const TemporaryFolderSetting&) = delete;

 private:
  std::optional<std::string> old_;
};

// How many files this process holds open in `folder`, named or not, by
// what /proc/self/fd shows for them.
inline std::size_t OpenFilesIn(const std::string& folder) {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const auto target = std::filesystem::read_symlink(entry.path(), error);
    if (!error && target.string().starts_with(folder + "/")) ++count;
  }
  return count;
}

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

namespace texttoxml::testing {

// Whether `statement` raises an `ErrorType` whose message is `expected`. The
// failure tells what happened instead: the other message, another type (with
// its message), or nothing thrown.
template <class ErrorType, class Statement>
::testing::AssertionResult ThrowsWithMessage(Statement&& statement, std::string_view expected) {
  try {
    statement();
  } catch (const ErrorType& error) {
    if (std::string_view(error.what()) == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "threw the message\n  \"" << error.what()
                                         << "\"\ninstead of\n  \"" << expected << "\"";
  } catch (const std::exception& other) {
    return ::testing::AssertionFailure()
           << "threw another type, with the message \"" << other.what() << "\"";
  } catch (...) {
    return ::testing::AssertionFailure() << "threw another type";
  }
  return ::testing::AssertionFailure() << "threw nothing";
}

// EXPECT_THROW_MSG(statement, ErrorType, "message"): `statement` raises an
// ErrorType carrying exactly that message.
#define EXPECT_THROW_MSG(statement, ErrorType, message)                                        \
  EXPECT_TRUE(::texttoxml::testing::ThrowsWithMessage<ErrorType>([&] { statement; }, message)) \
      << "from " #statement

namespace recorded_detail {

// A line as the failure shows it: line ends visible, cut to `width`
// characters around column `from` (which may lie past a shorter line's end).
inline std::string Shown(std::string_view line, std::size_t from, std::size_t width = 160) {
  const std::size_t start = std::min(line.size(), from > width / 2 ? from - width / 2 : 0);
  std::string shown = start > 0 ? "..." : "";
  for (char c : line.substr(start, width))
    shown += c == '\r' ? std::string("\\r") : std::string(1, c);
  if (line.size() > start + width) shown += "...";
  return shown;
}

}  // namespace recorded_detail

// Whether `actual` has the bytes of `expected`, the recorded file `name`.
// The failure gives the first differing line with its number and column,
// and a short diff: two common lines before it, then up to three lines of
// each side from it.
inline ::testing::AssertionResult SameAsRecorded(std::string_view actual, std::string_view expected,
                                                 std::string_view name) {
  if (actual == expected) return ::testing::AssertionSuccess();
  const std::vector<std::string> want = SplitText(expected, "\n");
  const std::vector<std::string> got = SplitText(actual, "\n");
  std::size_t line = 0;
  while (line < want.size() && line < got.size() && want[line] == got[line]) ++line;
  const std::string_view wanted = line < want.size() ? std::string_view(want[line])
                                                     : "<end of file>";
  const std::string_view gotten = line < got.size() ? std::string_view(got[line]) : "<end of file>";
  const std::size_t column = static_cast<std::size_t>(
      std::mismatch(wanted.begin(), wanted.end(), gotten.begin(), gotten.end()).first -
      wanted.begin());
  using recorded_detail::Shown;
  auto failure = ::testing::AssertionFailure();
  failure << "the output differs from " << name << " first at line " << line + 1 << ", column "
          << column + 1 << " (" << want.size() << " lines recorded, " << got.size() << " written)\n"
          << "  expected: " << Shown(wanted, column) << "\n  actual:   " << Shown(gotten, column)
          << "\n";
  for (std::size_t k = line > 2 ? line - 2 : 0; k < line; ++k)
    failure << "   " << k + 1 << ": " << Shown(want[k], 0) << "\n";
  for (std::size_t k = line; k < want.size() && k < line + 3; ++k)
    failure << " - " << k + 1 << ": " << Shown(want[k], k == line ? column : 0) << "\n";
  for (std::size_t k = line; k < got.size() && k < line + 3; ++k)
    failure << " + " << k + 1 << ": " << Shown(got[k], k == line ? column : 0) << "\n";
  return failure;
}

}  // namespace texttoxml::testing
