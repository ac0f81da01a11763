#include "conversion/letter_case.h"

#include <algorithm>
#include <filesystem>

#include "platform/files.h"
#include "platform/utf.h"

namespace texttoxml::conversion {

namespace {

char16_t LowerLetter(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
      (c >= 0x410 && c <= 0x42F)) {
    return static_cast<char16_t>(c + 0x20);
  }
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);  // Ё, Є, І, Ї, Ў, ...
  return c;
}

std::u16string FoldedCase(std::string_view name) {
  platform::Utf8Decoded decoded = platform::Utf8ToUtf16(name);
  if (!decoded.valid) decoded.text.assign(name.begin(), name.end());
  std::transform(decoded.text.begin(), decoded.text.end(), decoded.text.begin(), LowerLetter);
  return decoded.text;
}

std::vector<std::string> InFolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::string prefix = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::u16string wanted = FoldedCase(std::string_view(path).substr(prefix.size()));
  std::vector<std::string> found;
  std::error_code failed;
  std::filesystem::directory_iterator entries(prefix.empty() ? "." : prefix, failed);
  for (; !failed && entries != std::filesystem::directory_iterator(); entries.increment(failed)) {
    const std::string name = entries->path().filename().string();
    if (FoldedCase(name) == wanted && platform::IsRegularFile(prefix + name)) {
      found.push_back(prefix + name);
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace

bool SameButForLetterCase(std::string_view a, std::string_view b) {
  return FoldedCase(a) == FoldedCase(b);
}

std::vector<std::string> FilesDifferingInCase(std::span<const std::string> paths) {
  std::vector<std::string> found;
  std::vector<platform::FileIdentity> seen;
  for (const std::string& path : paths) {
    for (std::string& file : InFolderOf(path)) {
      const auto identity = platform::IdentityOf(file);
      if (!identity || std::find(seen.begin(), seen.end(), *identity) != seen.end()) continue;
      seen.push_back(*identity);
      found.push_back(std::move(file));
    }
  }
  return found;
}

}  // namespace texttoxml::conversion
