// The failure of the XML node tree.
#pragma once

#include "error.h"

namespace texttoxml {

// A misuse of the XML node tree; the message names the refused operation.
class XmlError : public Error {
 public:
  using Error::Error;
};

}  // namespace texttoxml
