// The failures of writing a RichDoc text: an item or a property value that
// the format has no way to hold. Their messages are fixed English texts.
#pragma once

#include <string_view>

#include "error.h"

namespace texttoxml::richtext {

// An item other than a picture: "Cannot write an item of kind %d".
class UnwritableItemError : public Error {
 public:
  explicit UnwritableItemError(int styleNo);
};

// A picture item with a tag, which the record has no room for:
// "Cannot write an item tag".
class ItemTagError : public Error {
 public:
  ItemTagError();
};

// A picture item without a graphic: "No picture to write".
class NoPictureError : public Error {
 public:
  NoPictureError();
};

// A text property holding a line break, which would split its property line:
// "Line break in picture property %s".
class PropertyLineBreakError : public Error {
 public:
  explicit PropertyLineBreakError(std::string_view key);
};

// An enumeration value with no name in its list:
// "Value out of range for property %s".
class PropertyRangeError : public Error {
 public:
  explicit PropertyRangeError(std::string_view name);
};

}  // namespace texttoxml::richtext
