# Writes the compiled catalogue INPUT as OUTPUT, a C++ source that returns
# its bytes: every byte as a hexadecimal escape, 32 to a line.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
set(lines "")
foreach(start RANGE 0 ${digits} 64)
  string(SUBSTRING "${hex}" ${start} 64 piece)
  if(piece STREQUAL "")
    break()
  endif()
  string(REGEX REPLACE "(..)" "\\\\x\\1" piece "${piece}")
  string(APPEND lines "\n    \"${piece}\"")
endforeach()
file(WRITE "${OUTPUT}" "// Made from po/ru.po at build time; do not edit.
#include <string_view>

namespace texttoxml::platform {

std::string_view RussianCatalogueBytes();

std::string_view RussianCatalogueBytes() {
  static constexpr char kBytes[] =${lines};
  return {kBytes, ${size}};
}

}  // namespace texttoxml::platform
")
