// The failures of the command line itself: a call it cannot understand, an
// output it refuses to write, a text with nothing in it. Their messages are
// English, as the subsystems' are.
#pragma once

#include <stdexcept>
#include <string>

#include "error.h"

namespace texttoxml::cli {

// A call whose words are off; the message is a one-line reason.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failure of a conversion that says where it happened; its message follows
// the input's name directly ("tasks.txt:12: ...", "tasks.txt -> out.xml: ...").
class PlacedError : public Error {
 public:
  using Error::Error;
};

class NothingToConvertError : public Error {
 public:
  NothingToConvertError() : Error("Nothing to convert: the text is blank") {}
};

// Raised instead of writing over the input file.
class OutputIsInputError : public Error {
 public:
  OutputIsInputError() : Error("The output file would replace the input file") {}
};

// Raised instead of writing over a picture that the text embeds.
class OutputIsPictureError : public Error {
 public:
  explicit OutputIsPictureError(const std::string& picture)
      : Error("The output file would replace the picture \"" + picture +
              "\", which the text embeds") {}
};

// Two inputs that would write one file.
class OutputTakenTwiceError : public Error {
 public:
  OutputTakenTwiceError(const std::string& first, const std::string& second,
                        const std::string& output)
      : Error(first + " and " + second + " would both be written to " + output +
              "; nothing was written") {}
};

}  // namespace texttoxml::cli
