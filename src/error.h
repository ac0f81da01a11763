// The root of the system's one exception hierarchy. Every error carries the
// exact message that the front ends show; the constructors build it, so that
// a message text lives in one place only. Each subsystem declares its own
// errors beside its code (platform/platform_errors.h, xml/xml_errors.h,
// conversion/conversion_errors.h, richtext/richtext_errors.h,
// pictures/picture_errors.h, cli/cli_errors.h); this root holds Error, the
// message as the user sees it, and running out of memory, which any
// subsystem may meet.
#pragma once

#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

namespace texttoxml {

class Error : public std::runtime_error {
 public:
  explicit Error(std::string_view message) : std::runtime_error(std::string(message)) {}
};

// The message as the user sees it: a full stop is appended when the last
// character is above "." in code order, so "...file" gets one and "...)" or
// "...!" does not.
std::string DisplayMessage(std::string_view message);

// Memory ran out. The message says what was being read or built when it
// did, so that the user learns which file was too much for the machine.
class OutOfMemoryError : public Error {
 public:
  // "Not enough memory to read picture "%s""
  static OutOfMemoryError ReadingPicture(std::string_view path);
  // "Not enough memory to read text file "%s""
  static OutOfMemoryError ReadingText(std::string_view path);
  // "Not enough memory to build the test document"
  static OutOfMemoryError BuildingDocument();
  // "Not enough memory to write the XML document"
  static OutOfMemoryError WritingXmlDocument();
  // What a command was doing with an input of `size` bytes:
  // "Not enough memory to check "%s" (%s MB)"
  static OutOfMemoryError Checking(std::string_view path, std::uint64_t size);
  // "Not enough memory to convert "%s" (%s MB)"
  static OutOfMemoryError Converting(std::string_view path, std::uint64_t size);
  // "Not enough memory to preview "%s" (%s MB)"
  static OutOfMemoryError Previewing(std::string_view path, std::uint64_t size);
  // "Not enough memory to extract the text of "%s" (%s MB)"
  static OutOfMemoryError Extracting(std::string_view path, std::uint64_t size);
  // "Not enough memory to run the command"
  static OutOfMemoryError RunningCommand();

 private:
  using Error::Error;
};

// Runs `work` and returns what it returns; when memory runs out in it,
// raises `makeError()` instead.
template <class Work, class MakeError>
auto RaisingOnOutOfMemory(Work&& work, MakeError&& makeError) -> decltype(work()) {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    throw makeError();
  }
}

}  // namespace texttoxml
