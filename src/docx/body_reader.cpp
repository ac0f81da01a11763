#include "docx/body_reader.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "docx/office_math.h"
#include "docx/script_text.h"
#include "docx/word_values.h"

namespace texttoxml::docx {

namespace {

constexpr std::int64_t kEmuPerTwip = 635;
constexpr std::int64_t kMaxTwips = 0x7FFFFFFF;

bool Understood(const std::string* required) {
  if (required == nullptr) return false;
  std::size_t start = 0;
  bool any = false;
  while (start < required->size()) {
    std::size_t end = required->find(' ', start);
    if (end == std::string::npos) end = required->size();
    if (end > start) {
      if (!IsUnderstood(std::string_view(*required).substr(start, end - start))) return false;
      any = true;
    }
    start = end + 1;
  }
  return any;
}

std::uint32_t Twips(std::int64_t value) {
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(value, 0, kMaxTwips));
}

// The size of a DrawingML picture: wp:extent of its wp:inline or wp:anchor.
std::optional<ShownSize> ExtentSize(const XmlElement& placement) {
  const XmlElement* extent = placement.Child(Ns::Wp, "extent");
  if (extent == nullptr) return std::nullopt;
  const std::string* cx = extent->Attribute(Ns::None, "cx");
  const std::string* cy = extent->Attribute(Ns::None, "cy");
  const auto width = cx ? WholeNumber(*cx, 0, kMaxTwips * kEmuPerTwip) : std::nullopt;
  const auto height = cy ? WholeNumber(*cy, 0, kMaxTwips * kEmuPerTwip) : std::nullopt;
  if (!width || !height) return std::nullopt;
  return ShownSize{Twips(*width / kEmuPerTwip), Twips(*height / kEmuPerTwip)};
}

// VML lengths without a unit are in pixels, at 96 to the inch.
double TwipsPerUnit(std::string_view unit) {
  if (unit == "pt") return 20;
  if (unit == "in") return 1440;
  if (unit == "cm") return 1440 / 2.54;
  if (unit == "mm") return 144 / 2.54;
  if (unit == "pc") return 240;
  return 15;
}

// A CSS number ("36", "1.5", ".75"): its value and the characters it takes;
// nothing when the text starts with none. Read by hand, since the page's
// C++ library has no from_chars for floating point.
std::optional<std::pair<double, std::size_t>> LeadingNumber(std::string_view text) {
  double value = 0;
  double scale = 1;
  bool digits = false;
  bool point = false;
  std::size_t at = 0;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') break;
    digits = true;
    if (point) {
      scale /= 10;
      value += (c - '0') * scale;
    } else {
      value = value * 10 + (c - '0');
    }
  }
  if (!digits) return std::nullopt;
  return std::pair(value, at);
}

// One length of a VML style, such as "width:72pt", in twips.
std::optional<std::uint32_t> StyleLength(std::string_view style, std::string_view property) {
  std::size_t at = 0;
  while (at < style.size()) {
    std::size_t end = style.find(';', at);
    if (end == std::string_view::npos) end = style.size();
    std::string_view declaration = style.substr(at, end - at);
    at = end + 1;
    const std::size_t colon = declaration.find(':');
    if (colon == std::string_view::npos) continue;
    std::string_view name = declaration.substr(0, colon);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    if (name != property) continue;
    std::string_view value = declaration.substr(colon + 1);
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    const auto number = LeadingNumber(value);
    if (!number) return std::nullopt;
    std::string_view unit = value.substr(number->second);
    while (!unit.empty() && unit.back() == ' ') unit.remove_suffix(1);
    const double twipsPerUnit = TwipsPerUnit(unit);
    const double twips = number->first * twipsPerUnit;
    if (!(twips > 0 && twips < static_cast<double>(kMaxTwips))) return std::nullopt;
    return static_cast<std::uint32_t>(twips);
  }
  return std::nullopt;
}

std::optional<ShownSize> VmlSize(const XmlElement& shape) {
  const std::string* style = shape.Attribute(Ns::None, "style");
  if (style == nullptr) return std::nullopt;
  const auto width = StyleLength(*style, "width");
  const auto height = StyleLength(*style, "height");
  if (!width || !height) return std::nullopt;
  return ShownSize{*width, *height};
}

bool IsNonZero(const std::string* value) {
  return value && WholeNumber(*value, 1, kMaxTwips);
}

bool IsVisibleText(std::u16string_view text) {
  return std::any_of(text.begin(), text.end(), [](char16_t c) { return c > u' '; });
}

bool IsOnceAParagraph(FactKind kind) {
  return kind == FactKind::Table || kind == FactKind::TextBox || kind == FactKind::Comment ||
         kind == FactKind::TrackedChange || kind == FactKind::HiddenText;
}

}  // namespace

const XmlElement* ChosenBranch(const XmlElement& alternate) {
  for (const auto& branch : alternate.children) {
    if (branch.Is(Ns::Mc, "Choice") && Understood(branch.Attribute(Ns::None, "Requires")))
      return &branch;
    if (branch.Is(Ns::Mc, "Fallback")) return &branch;
  }
  return nullptr;
}

std::vector<Paragraph> BodyReader::Read(const XmlElement& body) {
  Blocks(body);
  return std::move(paragraphs_);
}

void BodyReader::Blocks(const XmlElement& container) {
  for (const auto& element : container.children) {
    if (element.Is(Ns::W, "p")) {
      ReadParagraph(element);
    } else if (element.Is(Ns::W, "tbl")) {
      tableStarts_ = true;
      Blocks(element);
    } else if (element.Is(Ns::Mc, "AlternateContent")) {
      if (const XmlElement* branch = ChosenBranch(element)) Blocks(*branch);
    } else if (element.ns == Ns::W &&
               (element.name == "tr" || element.name == "tc" || element.name == "sdt" ||
                element.name == "sdtContent" || element.name == "customXml")) {
      Blocks(element);
    }
  }
}

void BodyReader::ReadParagraph(const XmlElement& paragraph) {
  paragraph_ = Paragraph();
  paragraph_.number = paragraphs_.size() + 1;
  if (tableStarts_) Note(FactKind::Table);
  tableStarts_ = false;
  if (const XmlElement* properties = paragraph.Child(Ns::W, "pPr"))
    ReadParagraphProperties(*properties);
  Inlines(paragraph);
  paragraphs_.push_back(std::move(paragraph_));
}

void BodyReader::ReadParagraphProperties(const XmlElement& properties) {
  if (const XmlElement* spacing = properties.Child(Ns::W, "spacing")) {
    paragraph_.spaceBefore = IsNonZero(spacing->Attribute(Ns::W, "before")) ||
                             IsNonZero(spacing->Attribute(Ns::W, "beforeLines"));
    paragraph_.spaceAfter = IsNonZero(spacing->Attribute(Ns::W, "after")) ||
                            IsNonZero(spacing->Attribute(Ns::W, "afterLines"));
  }
  std::optional<StyleNumbering> list;
  if (const std::string* style = ChildValue(properties, "pStyle"))
    list = numbering_.OfStyle(*style);
  if (const XmlElement* own = properties.Child(Ns::W, "numPr")) {
    if (const std::string* numId = ChildValue(*own, "numId")) {
      list = StyleNumbering{*numId, list ? list->level : 0};
    }
    if (const std::string* level = ChildValue(*own, "ilvl"); level && list) {
      list->level = static_cast<int>(WholeNumber(*level, 0, kListLevels - 1).value_or(0));
    }
  }
  if (!list) return;
  if (auto label = numbering_.Next(list->numId, list->level)) paragraph_.label = std::move(*label);
}

void BodyReader::Inlines(const XmlElement& container) {
  for (const auto& element : container.children) Inline(element);
}

void BodyReader::Inline(const XmlElement& element) {
  if (element.Is(Ns::Mc, "AlternateContent")) {
    if (const XmlElement* branch = ChosenBranch(element)) Inlines(*branch);
    return;
  }
  if (element.ns == Ns::M && (element.name == "oMath" || element.name == "oMathPara"))
    return Math(element);
  if (element.ns != Ns::W) return;
  const std::string& name = element.name;
  if (name == "r") return ReadRun(element);
  if (name == "ins" || name == "moveTo") {
    Note(FactKind::TrackedChange);
    return Inlines(element);
  }
  if (name == "del" || name == "moveFrom") return Note(FactKind::TrackedChange);
  if (name == "commentRangeStart") return Note(FactKind::Comment);
  if (name == "hyperlink" || name == "smartTag" || name == "customXml" || name == "fldSimple" ||
      name == "sdt" || name == "sdtContent" || name == "dir" || name == "bdo") {
    return Inlines(element);
  }
}

void BodyReader::ReadRun(const XmlElement& run) {
  RunStyle style;
  if (const XmlElement* properties = run.Child(Ns::W, "rPr")) {
    style.hidden = IsOn(properties->Child(Ns::W, "vanish"));
    const std::string* color = ChildValue(*properties, "color");
    style.emphasised = IsOn(properties->Child(Ns::W, "b")) ||
                       (color && *color != "auto" && *color != "000000");
    if (const std::string* align = ChildValue(*properties, "vertAlign")) {
      style.script = *align == "superscript" ? 1 : *align == "subscript" ? -1 : 0;
    }
    if (const XmlElement* fonts = properties->Child(Ns::W, "rFonts")) {
      const std::string* font = fonts->Attribute(Ns::W, "ascii");
      if (font == nullptr) font = fonts->Attribute(Ns::W, "hAnsi");
      if (font) style.font = SymbolFontNamed(*font);
    }
  }
  for (const auto& element : run.children) RunContent(element, style);
}

void BodyReader::RunContent(const XmlElement& element, const RunStyle& style) {
  if (element.Is(Ns::W, "fldChar")) return FieldCharacter(element);
  if (element.Is(Ns::Mc, "AlternateContent")) {
    if (const XmlElement* branch = ChosenBranch(element)) {
      for (const auto& child : branch->children) RunContent(child, style);
    }
    return;
  }
  if (element.ns != Ns::W || element.name == "rPr" || !InFieldResult()) return;
  const std::string& name = element.name;
  if (name == "commentReference") return Note(FactKind::Comment);
  if (style.hidden) {
    if (name == "t" || name == "drawing" || name == "pict" || name == "object")
      Note(FactKind::HiddenText);
    return;
  }
  if (name == "t") return Text(element.text, style);
  if (name == "tab" || name == "ptab") paragraph_.text += u'\t';
  if (name == "cr") paragraph_.text += u'\n';
  if (name == "noBreakHyphen") paragraph_.text += u'\u2011';
  if (name == "br") {
    // A page or column break only moves what follows on the page.
    const std::string* type = element.Attribute(Ns::W, "type");
    if (type == nullptr || *type == "textWrapping") paragraph_.text += u'\n';
  }
  if (name == "sym") {
    const std::string* font = element.Attribute(Ns::W, "font");
    const std::string* code = element.Attribute(Ns::W, "char");
    const long value = code ? std::strtol(code->c_str(), nullptr, 16) : 0;
    if (value > 0 && value <= 0xFFFF) {
      paragraph_.text += ShownCharacter(font ? SymbolFontNamed(*font) : SymbolFont::None,
                                        static_cast<char16_t>(value));
    }
  }
  if (name == "drawing" || name == "pict" || name == "object") Graphic(element, std::nullopt);
}

void BodyReader::Text(const std::string& utf8, const RunStyle& style) {
  std::u16string text = Utf16(utf8);
  for (char16_t& c : text) c = ShownCharacter(style.font, c);
  if (IsVisibleText(text)) ++(style.emphasised ? paragraph_.emphasisedRuns : paragraph_.plainRuns);
  if (style.script > 0) text = Superscript(text);
  if (style.script < 0) text = Subscript(text);
  paragraph_.text += text;
}

// Complex fields nest; the text of one shows only between its separator
// and its end, and only when every field around it is showing its result.
void BodyReader::FieldCharacter(const XmlElement& element) {
  const std::string* type = element.Attribute(Ns::W, "fldCharType");
  if (type == nullptr) return;
  if (*type == "begin") fields_.push_back(false);
  if (*type == "separate" && !fields_.empty()) fields_.back() = true;
  if (*type == "end" && !fields_.empty()) fields_.pop_back();
}

bool BodyReader::InFieldResult() const {
  return std::all_of(fields_.begin(), fields_.end(), [](bool result) { return result; });
}

void BodyReader::Graphic(const XmlElement& element, std::optional<ShownSize> size) {
  for (const auto& child : element.children) {
    if (child.Is(Ns::W, "txbxContent")) {
      Note(FactKind::TextBox);
    } else if (child.Is(Ns::A, "blip")) {
      const std::string* embedded = child.Attribute(Ns::R, "embed");
      Picture(embedded ? embedded : child.Attribute(Ns::R, "link"), size);
    } else if (child.Is(Ns::V, "imagedata")) {
      const std::string* id = child.Attribute(Ns::R, "id");
      Picture(id ? id : child.Attribute(Ns::O, "relid"), size);
    } else if (child.Is(Ns::Mc, "AlternateContent")) {
      if (const XmlElement* branch = ChosenBranch(child)) Graphic(*branch, size);
    } else if (child.ns == Ns::Wp && (child.name == "inline" || child.name == "anchor")) {
      Graphic(child, ExtentSize(child));
    } else if (child.ns == Ns::V) {
      const auto shown = VmlSize(child);
      Graphic(child, shown ? shown : size);
    } else {
      Graphic(child, size);
    }
  }
}

void BodyReader::Picture(const std::string* relationshipId, std::optional<ShownSize> size) {
  if (relationshipId == nullptr) return;
  const auto reference = pictures_.Use(*relationshipId, size);
  if (!reference) return;
  const std::u16string token = u"[" + reference->name + u"]";
  paragraph_.pictures.push_back({paragraph_.text.size(), token.size(), reference->name});
  if (reference->linked) Note(FactKind::LinkedPicture, reference->name);
  paragraph_.text += token;
}

void BodyReader::Math(const XmlElement& math) {
  if (!InFieldResult()) return;
  const std::u16string text = LinearMathText(math);
  Note(FactKind::Equation, text);
  paragraph_.text += text;
}

void BodyReader::Note(FactKind kind, std::u16string detail) {
  auto& facts = paragraph_.facts;
  if (IsOnceAParagraph(kind) &&
      std::any_of(facts.begin(), facts.end(),
                  [kind](const ParagraphFact& f) { return f.kind == kind; })) {
    return;
  }
  facts.push_back({kind, paragraph_.text.size(), std::move(detail)});
}

}  // namespace texttoxml::docx
