// Asking the system to back a large buffer with large memory pages.
//
// Every first touch of a fresh 4 KiB page is a page fault, and on the
// virtual machines this runs on a page fault costs microseconds: filling a
// buffer of many megabytes costs more in faults than in writing. A buffer
// advised before its first touch is faulted in 2 MiB at a time instead.
#pragma once

#include <cstddef>

namespace texttoxml::platform {

// The size of one large page, and the alignment that lets a block be one.
inline constexpr std::size_t kLargePageSize = 2 * 1024 * 1024;

// A hint only: the whole large pages inside [data, data + size) may be
// backed by large pages; nothing happens when the system declines.
void AdviseLargePages(void* data, std::size_t size);

// Reserves room for `count` characters in a string about to be filled, and
// advises that room for large pages.
template <typename String>
void ReserveOnLargePages(String& text, std::size_t count) {
  text.reserve(count);
  AdviseLargePages(text.data(), text.capacity() * sizeof(typename String::value_type));
}

// Reserves room for the text decoded from `bytes` bytes (a character a
// byte at most) and an eighth more, so that its line breaks can become
// CR LF in place instead of in a second copy of the text.
template <typename String>
void ReserveForDecodedText(String& text, std::size_t bytes) {
  ReserveOnLargePages(text, bytes + bytes / 8);
}

}  // namespace texttoxml::platform
