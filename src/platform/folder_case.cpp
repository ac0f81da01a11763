#include "platform/folder_case.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/statfs.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/fs.h>
#endif

#include <algorithm>
#include <array>

#include "platform/descriptor.h"
#include "platform/utf.h"

namespace texttoxml::platform {

namespace {

// The f_type of the file systems that ignore case, as statfs() gives it.
constexpr std::array<unsigned long, 8> kCaseBlindFileSystems = {
    0x4d44,      // FAT, vfat
    0x2011BAB0,  // exFAT
    0x5346544e,  // NTFS (ntfs)
    0x7366746e,  // NTFS (ntfs3)
    0x482b,      // HFS+
    0x517B,      // SMB
    0xFF534D42,  // CIFS
    0xFE534D42,  // SMB2
};

// Case folding of one ext4 (or f2fs) folder, which stays case-sensitive
// elsewhere on the same file system.
bool FolderFoldsCase(const std::string& folder) {
#ifdef FS_IOC_GETFLAGS
  constexpr unsigned long kCaseFoldFlag = 0x40000000;
  Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  int flags = 0;
  return fd.IsOpen() && ::ioctl(fd.Get(), FS_IOC_GETFLAGS, &flags) == 0 &&
         (static_cast<unsigned long>(flags) & kCaseFoldFlag) != 0;
#else
  (void)folder;  // no such flag where the kernel is not Linux (the page)
  return false;
#endif
}

// Only letters of the Basic Multilingual Plane fold, so surrogates pass
// through unchanged. Ё and the other Cyrillic letters before А lie 0x50
// below their small forms, the rest 0x20.
char16_t LowerCase(char16_t c) {
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
  const bool upper = (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
                     (c >= 0x410 && c <= 0x42F);
  return upper ? static_cast<char16_t>(c + 0x20) : c;
}

}  // namespace

bool FolderIgnoresCase(const std::string& folder) {
  struct statfs fs {};
  if (::statfs(folder.c_str(), &fs) != 0) return false;
  const auto type = static_cast<unsigned long>(fs.f_type) & 0xFFFFFFFFul;
  return std::find(kCaseBlindFileSystems.begin(), kCaseBlindFileSystems.end(), type) !=
             kCaseBlindFileSystems.end() ||
         FolderFoldsCase(folder);
}

std::string CaseFolded(std::string_view name) {
  Utf8Decoded decoded = Utf8ToUtf16(name);
  if (!decoded.valid) return std::string(name);
  std::transform(decoded.text.begin(), decoded.text.end(), decoded.text.begin(), LowerCase);
  return Utf16ToUtf8(decoded.text);
}

}  // namespace texttoxml::platform
