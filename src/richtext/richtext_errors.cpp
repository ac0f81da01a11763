#include "richtext/richtext_errors.h"

#include <string>

namespace texttoxml::richtext {

UnwritableItemError::UnwritableItemError(int styleNo)
    : Error("Cannot write an item of kind " + std::to_string(styleNo)) {}

ItemTagError::ItemTagError() : Error("Cannot write an item tag") {}

NoPictureError::NoPictureError() : Error("No picture to write") {}

PropertyLineBreakError::PropertyLineBreakError(std::string_view key)
    : Error("Line break in picture property " + std::string(key)) {}

PropertyRangeError::PropertyRangeError(std::string_view name)
    : Error("Value out of range for property " + std::string(name)) {}

}  // namespace texttoxml::richtext
