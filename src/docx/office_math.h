// Word's own equations (Office Math) as linear text: what a teacher would
// type for them. Fractions become "(a)/(b)", roots "√(x)", super- and
// subscripts their Unicode forms where every character has one (else
// "^(...)" and "_(...)"), delimiters, n-ary operators, functions, accents,
// matrices and equation arrays their characters in reading order.
#pragma once

#include <string>

#include "docx/xml_tree.h"

namespace texttoxml::docx {

// The linear text of an m:oMath or m:oMathPara element.
std::u16string LinearMathText(const XmlElement& math);

}  // namespace texttoxml::docx
