// The failures of the command line itself: a call it cannot understand, an
// output it refuses to write, a text with nothing in it. Their messages are
// in the language of the process, as the subsystems' are.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "error.h"
#include "platform/translate.h"

namespace texttoxml::cli {

using platform::Format;
using platform::Tr;

// A call whose words are off; the message is a one-line reason.
class UsageError : public Error {
 public:
  static UsageError NoCommand() { return UsageError(Tr("no command")); }
  static UsageError UnknownCommand(std::string_view command) {
    return UsageError(Format(Tr("unknown command {1}"), {command}));
  }
  // A file name where the command belongs: the likely intent is to convert
  // it, and saying so helps more than the whole usage text.
  static UsageError FileForCommand(std::string_view file, std::string_view suggestion) {
    return UsageError(
        Format(Tr("unknown command {1}; to convert the file, run: {2}"), {file, suggestion}),
        false);
  }
  static UsageError UnknownOption(std::string_view option, std::string_view command) {
    return UsageError(Format(Tr("unknown option {1} for {2}"), {option, command}));
  }
  static UsageError NeedsValue(std::string_view option) {
    return UsageError(Format(Tr("option {1} needs a value"), {option}));
  }
  static UsageError NotAnEncoding(std::string_view text) {
    return UsageError(Format(Tr("not an encoding: {1} (auto, cp1251 or utf8)"), {text}));
  }
  static UsageError NotALanguage(std::string_view text) {
    return UsageError(Format(Tr("not a language: {1} (en or ru)"), {text}));
  }
  static UsageError NotAnAdvice(std::string_view text) {
    return UsageError(Format(Tr("not a kind of advice: {1} (cli or page)"), {text}));
  }
  static UsageError NotAFormat(std::string_view text) {
    return UsageError(Format(Tr("not a report format: {1}"), {text}));
  }
  static UsageError NotADate(std::string_view text) {
    return UsageError(Format(Tr("not a date and time: {1}"), {text}));
  }
  static UsageError OutputGivenTwice() { return UsageError(Tr("the output is given twice")); }
  static UsageError OutputFolderGivenTwice() {
    return UsageError(Tr("the output folder is given twice"));
  }
  static UsageError NoInput() { return UsageError(Tr("no input file")); }
  static UsageError EmptyOutputFolder() { return UsageError(Tr("the output folder is empty")); }
  static UsageError OneInputOnly(std::string_view command) {
    return UsageError(Format(Tr("{1} takes one input"), {command}));
  }
  static UsageError OutputAndFolder() { return UsageError(Tr("-o and -O exclude each other")); }
  static UsageError OutputOfManyInputs() {
    return UsageError(Tr("-o is allowed with one input only"));
  }

  // Whether the usage text should follow the reason.
  bool ShowsUsage() const { return showsUsage_; }

 private:
  explicit UsageError(std::string_view reason, bool showsUsage = true)
      : Error(reason), showsUsage_(showsUsage) {}
  bool showsUsage_;
};

// A failure of a conversion that says where it happened: its message is the
// whole line the user sees, the input's name first.
class PlacedError : public Error {
 public:
  PlacedError(std::string input, const std::string& message)
      : Error(message), input_(std::move(input)) {}
  const std::string& Input() const { return input_; }

 private:
  std::string input_;
};

// A picture the text names could not be embedded: "tasks.txt:12: picture
// "p.png": cause", the place ("tasks.txt:12") saying where the text names it.
class PictureFailedError : public PlacedError {
 public:
  PictureFailedError(const std::string& input, std::string place, std::string picture,
                     std::string_view cause)
      : PlacedError(input, Format(Tr("{1}: picture {2}: {3}"),
                                  {place, platform::InQuotes(picture), DisplayMessage(cause)})),
        place_(std::move(place)),
        picture_(std::move(picture)) {}
  const std::string& Place() const { return place_; }
  const std::string& Picture() const { return picture_; }

 private:
  std::string place_;
  std::string picture_;
};

// The output could not be written, with no line to blame (a full disk):
// "tasks.txt -> out.xml: cause".
class OutputFailedError : public PlacedError {
 public:
  OutputFailedError(const std::string& input, std::string output, std::string_view cause)
      : PlacedError(input, input + " -> " + output + ": " + DisplayMessage(cause)),
        output_(std::move(output)) {}
  const std::string& Output() const { return output_; }

 private:
  std::string output_;
};

class NothingToConvertError : public Error {
 public:
  NothingToConvertError() : Error(Tr("Nothing to convert: the text is blank")) {}
};

// Raised instead of writing over the input file.
class OutputIsInputError : public Error {
 public:
  OutputIsInputError() : Error(Tr("The output file would replace the input file")) {}
};

// Raised instead of writing over a picture that the text embeds.
class OutputIsPictureError : public Error {
 public:
  explicit OutputIsPictureError(const std::string& picture)
      : Error(Format(Tr("The output file would replace the picture {1}, which the text embeds"),
                     {platform::InQuotes(picture)})) {}
};

// extract was given a task text.
class NotAWordDocumentError : public Error {
 public:
  NotAWordDocumentError()
      : Error(Tr("This is a task text, not a Word document (.docx): convert it as it is")) {}
};

// A picture name inside a document that would write outside the output's
// folder.
class UnsafePictureNameError : public Error {
 public:
  explicit UnsafePictureNameError(const std::string& name)
      : Error(Format(Tr("The document names a picture {1} that cannot be written as a file; "
                        "nothing was written"),
                     {platform::InQuotes(name)})) {}
};

// Two inputs that would write one file.
class OutputTakenTwiceError : public Error {
 public:
  OutputTakenTwiceError(const std::string& first, const std::string& second,
                        const std::string& output)
      : Error(Format(Tr("{1} and {2} would both be written to {3}; nothing was written"),
                     {first, second, output})) {}
};

}  // namespace texttoxml::cli
