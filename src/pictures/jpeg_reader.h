// JPEG files through the JPEG library, from memory and without any output:
// a library error becomes JpegError with the library's message code.
#pragma once

#include <string_view>

namespace texttoxml::pictures {

struct JpegHeaderInfo {
  int width = 0;
  int height = 0;
  bool grayscale = false;
  bool progressive = false;  // several scans
  // Decoding had to make up or skip data: the data end before the last
  // line, or are damaged on the way.
  bool damaged = false;
};

// Reads the header up to the first scan.
JpegHeaderInfo ReadJpegHeader(std::string_view bytes);

// Decodes every line as well, to prove that the image is whole. Raises
// ImageTooLargeError above the decoded-pixel limit.
JpegHeaderInfo DecodeJpeg(std::string_view bytes);

}  // namespace texttoxml::pictures
