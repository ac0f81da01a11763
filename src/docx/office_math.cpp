#include "docx/office_math.h"

#include "docx/script_text.h"
#include "docx/word_values.h"

namespace texttoxml::docx {

namespace {

std::u16string Linear(const XmlElement& element);

// The linear text of the named child; empty when there is none.
std::u16string Part(const XmlElement& element, std::string_view name) {
  const XmlElement* child = element.Child(Ns::M, name);
  return child ? Linear(*child) : std::u16string();
}

// The m:val of a character property such as m:dPr/m:begChr; `fallback`
// when it is not set. An empty value means no character.
std::u16string PropertyCharacter(const XmlElement& element, std::string_view properties,
                                 std::string_view name, std::u16string_view fallback) {
  const XmlElement* props = element.Child(Ns::M, properties);
  const XmlElement* property = props ? props->Child(Ns::M, name) : nullptr;
  const std::string* value = property ? property->Attribute(Ns::M, "val") : nullptr;
  return value ? Utf16(*value) : std::u16string(fallback);
}

std::u16string Parenthesised(std::u16string_view text) {
  return u"(" + std::u16string(text) + u")";
}

std::u16string Children(const XmlElement& element) {
  std::u16string text;
  for (const auto& child : element.children) text += Linear(child);
  return text;
}

std::u16string Delimited(const XmlElement& element) {
  const std::u16string separator = PropertyCharacter(element, "dPr", "sepChr", u"|");
  std::u16string text = PropertyCharacter(element, "dPr", "begChr", u"(");
  bool first = true;
  for (const auto& child : element.children) {
    if (!child.Is(Ns::M, "e")) continue;
    if (!first) text += separator;
    text += Linear(child);
    first = false;
  }
  return text + PropertyCharacter(element, "dPr", "endChr", u")");
}

std::u16string Root(const XmlElement& element) {
  const std::u16string degree = Part(element, "deg");
  const std::u16string radicand = Parenthesised(Part(element, "e"));
  if (degree.empty()) return u"√" + radicand;
  if (degree == u"3") return u"∛" + radicand;
  if (degree == u"4") return u"∜" + radicand;
  return Superscript(degree) + u"√" + radicand;
}

std::u16string NAry(const XmlElement& element) {
  std::u16string text = PropertyCharacter(element, "naryPr", "chr", u"∫");
  if (const std::u16string below = Part(element, "sub"); !below.empty()) text += Subscript(below);
  if (const std::u16string above = Part(element, "sup"); !above.empty()) text += Superscript(above);
  return text + Part(element, "e");
}

std::u16string Function(const XmlElement& element) {
  const std::u16string name = Part(element, "fName");
  const std::u16string argument = Part(element, "e");
  if (argument.starts_with(u'(')) return name + argument;
  return name + u" " + argument;
}

// Rows of an equation array or a matrix, separated by "; ", the cells of a
// matrix row by ", ".
std::u16string Rows(const XmlElement& element, std::string_view rowName) {
  std::u16string text;
  for (const auto& row : element.children) {
    if (row.Is(Ns::M, "e") && rowName == "e") {
      if (!text.empty()) text += u"; ";
      text += Linear(row);
    } else if (row.Is(Ns::M, rowName)) {
      if (!text.empty()) text += u"; ";
      bool first = true;
      for (const auto& cell : row.children) {
        if (!cell.Is(Ns::M, "e")) continue;
        if (!first) text += u", ";
        text += Linear(cell);
        first = false;
      }
    }
  }
  return text;
}

std::u16string Linear(const XmlElement& element) {
  if (element.ns == Ns::M) {
    const std::string& n = element.name;
    if (n.ends_with("Pr")) return {};  // properties: no text of their own
    if (n == "t") return Utf16(element.text);
    if (n == "f")
      return Parenthesised(Part(element, "num")) + u"/" + Parenthesised(Part(element, "den"));
    if (n == "rad") return Root(element);
    if (n == "sSup") return Part(element, "e") + Superscript(Part(element, "sup"));
    if (n == "sSub") return Part(element, "e") + Subscript(Part(element, "sub"));
    if (n == "sSubSup") {
      return Part(element, "e") + Subscript(Part(element, "sub")) +
             Superscript(Part(element, "sup"));
    }
    if (n == "sPre")
      return Subscript(Part(element, "sub")) + Superscript(Part(element, "sup")) +
             Part(element, "e");
    if (n == "d") return Delimited(element);
    if (n == "nary") return NAry(element);
    if (n == "func") return Function(element);
    if (n == "acc")
      return Part(element, "e") + PropertyCharacter(element, "accPr", "chr", u"\u0302");
    if (n == "bar") return Part(element, "e") + u"\u0305";
    if (n == "limLow") return Part(element, "e") + Subscript(Part(element, "lim"));
    if (n == "limUpp") return Part(element, "e") + Superscript(Part(element, "lim"));
    if (n == "eqArr") return Rows(element, "e");
    if (n == "m") return u"[" + Rows(element, "mr") + u"]";
  }
  return Children(element);
}

}  // namespace

std::u16string LinearMathText(const XmlElement& math) {
  if (!math.Is(Ns::M, "oMathPara")) return Linear(math);
  std::u16string text;
  for (const auto& child : math.children) {
    if (!child.Is(Ns::M, "oMath")) continue;
    if (!text.empty()) text += u' ';
    text += Linear(child);
  }
  return text;
}

}  // namespace texttoxml::docx
