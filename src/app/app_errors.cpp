#include "app/app_errors.h"

#include <string>

#include "app/window_texts.h"
#include "platform/utf.h"

namespace texttoxml::app {

PictureFailedError::PictureFailedError(std::size_t line, std::string_view picture,
                                       std::string_view cause)
    : Error(platform::Utf16ToUtf8(kPictureLineLeadIn) + " " + std::to_string(line) + ", " +
            platform::Utf16ToUtf8(kPictureLeadIn) + " «" + std::string(picture) +
            "»: " + std::string(cause)) {}

}  // namespace texttoxml::app
