// The failures that the window itself tells of, beside those the conversion
// raises.
#pragma once

#include <cstddef>
#include <string_view>

#include "error.h"

namespace texttoxml::app {

// A picture the memo names could not be embedded: "Строка 6, рисунок
// «a.png»: cause", the line counted in the memo as the save left it.
class PictureFailedError : public Error {
 public:
  PictureFailedError(std::size_t line, std::string_view picture, std::string_view cause);
};

}  // namespace texttoxml::app
