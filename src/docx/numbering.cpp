#include "docx/numbering.h"

#include "docx/number_format.h"
#include "docx/symbol_fonts.h"
#include "docx/word_values.h"

namespace texttoxml::docx {

namespace {

// Word takes start values up to 32767; bounding them keeps every counter
// far from overflow however many paragraphs a list has.
constexpr std::int64_t kMaxStart = 32767;
constexpr int kMaxStyleChain = 16;

std::optional<int> LevelNumber(const XmlElement& element, Ns ns, std::string_view attribute) {
  const std::string* value = element.Attribute(ns, attribute);
  const auto number = value ? WholeNumber(*value, 0, kListLevels - 1) : std::nullopt;
  if (!number) return std::nullopt;
  return static_cast<int>(*number);
}

// A bullet drawn with a symbol font becomes the character it shows.
std::u16string ShownLevelText(const XmlElement& level, std::u16string text) {
  const XmlElement* properties = level.Child(Ns::W, "rPr");
  const XmlElement* fonts = properties ? properties->Child(Ns::W, "rFonts") : nullptr;
  const std::string* font = fonts ? fonts->Attribute(Ns::W, "ascii") : nullptr;
  if (font == nullptr && fonts != nullptr) font = fonts->Attribute(Ns::W, "hAnsi");
  const SymbolFont symbolFont = font ? SymbolFontNamed(*font) : SymbolFont::None;
  for (char16_t& c : text) c = ShownCharacter(symbolFont, c);
  return text;
}

ListLevel ReadLevel(const XmlElement& element) {
  ListLevel level;
  if (const std::string* start = ChildValue(element, "start")) {
    level.start = WholeNumber(*start, 0, kMaxStart).value_or(1);
  }
  if (const std::string* format = ChildValue(element, "numFmt")) level.format = *format;
  if (const std::string* text = ChildValue(element, "lvlText")) {
    level.text = ShownLevelText(element, Utf16(*text));
  }
  if (const std::string* suffix = ChildValue(element, "suff")) {
    level.suffix = *suffix == "space" ? u" " : *suffix == "nothing" ? u"" : u"\t";
  }
  if (const std::string* restart = ChildValue(element, "lvlRestart")) {
    if (const auto after = WholeNumber(*restart, 0, kListLevels))
      level.restartAfter = static_cast<int>(*after);
  }
  return level;
}

void ReadLevels(const XmlElement& parent,
                std::array<std::optional<ListLevel>, kListLevels>& levels) {
  for (const auto& child : parent.children) {
    if (!child.Is(Ns::W, "lvl")) continue;
    if (const auto index = LevelNumber(child, Ns::W, "ilvl")) levels[*index] = ReadLevel(child);
  }
}

std::optional<StyleNumbering> NumberingProperties(const XmlElement& paragraphProperties) {
  const XmlElement* numbering = paragraphProperties.Child(Ns::W, "numPr");
  if (numbering == nullptr) return std::nullopt;
  StyleNumbering result;
  if (const std::string* numId = ChildValue(*numbering, "numId")) result.numId = *numId;
  if (const XmlElement* level = numbering->Child(Ns::W, "ilvl")) {
    result.level = LevelNumber(*level, Ns::W, "val").value_or(0);
  }
  return result;
}

LabelKind KindOf(const ListLevel& level, const std::u16string& text) {
  if (text.empty()) return LabelKind::None;
  if (level.format == "bullet") return LabelKind::Bullet;
  if (level.format == "decimal" || level.format == "decimalZero") return LabelKind::Decimal;
  return LabelKind::Other;
}

}  // namespace

Numbering::Numbering(const XmlElement* numbering, const XmlElement* styles) {
  if (numbering != nullptr) {
    for (const auto& child : numbering->children) {
      const std::string* id =
          child.Attribute(Ns::W, child.Is(Ns::W, "num") ? "numId" : "abstractNumId");
      if (id == nullptr) continue;
      if (child.Is(Ns::W, "abstractNum")) ReadLevels(child, abstracts_[*id]);
      if (!child.Is(Ns::W, "num")) continue;
      Instance& instance = instances_[*id];
      if (const std::string* abstractId = ChildValue(child, "abstractNumId"))
        instance.abstractId = *abstractId;
      for (const auto& override : child.children) {
        if (!override.Is(Ns::W, "lvlOverride")) continue;
        const auto index = LevelNumber(override, Ns::W, "ilvl");
        if (!index) continue;
        if (const std::string* start = ChildValue(override, "startOverride")) {
          instance.startOverrides[*index] = WholeNumber(*start, 0, kMaxStart);
        }
        if (const XmlElement* level = override.Child(Ns::W, "lvl"))
          instance.overrides[*index] = ReadLevel(*level);
      }
    }
  }
  if (styles == nullptr) return;
  for (const auto& child : styles->children) {
    const std::string* id = child.Attribute(Ns::W, "styleId");
    if (!child.Is(Ns::W, "style") || id == nullptr) continue;
    Style& style = styles_[*id];
    if (const std::string* basedOn = ChildValue(child, "basedOn")) style.basedOn = *basedOn;
    if (const XmlElement* properties = child.Child(Ns::W, "pPr"))
      style.numbering = NumberingProperties(*properties);
  }
}

std::optional<StyleNumbering> Numbering::OfStyle(std::string_view styleId) const {
  std::string id(styleId);
  for (int depth = 0; depth < kMaxStyleChain; ++depth) {
    const auto found = styles_.find(id);
    if (found == styles_.end()) return std::nullopt;
    if (found->second.numbering) return found->second.numbering;
    id = found->second.basedOn;
  }
  return std::nullopt;
}

const ListLevel* Numbering::LevelOf(const Instance& instance, int level) const {
  if (instance.overrides[level]) return &*instance.overrides[level];
  const auto abstract = abstracts_.find(instance.abstractId);
  if (abstract == abstracts_.end() || !abstract->second[level]) return nullptr;
  return &*abstract->second[level];
}

// A list instance that overrides start values begins those levels afresh
// when it is first used; later paragraphs of it count on.
void Numbering::StartInstance(const std::string& numId, const Instance& instance,
                              Counters& counters) {
  if (!startedInstances_.insert(numId).second) return;
  for (int level = 0; level < kListLevels; ++level) {
    if (!instance.startOverrides[level]) continue;
    counters.values[level] = *instance.startOverrides[level] - 1;
    counters.started[level] = true;
  }
}

void Numbering::Count(const Instance& instance, int level, Counters& counters) const {
  const ListLevel* own = LevelOf(instance, level);
  if (counters.started[level]) {
    ++counters.values[level];
  } else {
    counters.values[level] = own->start;
    counters.started[level] = true;
  }
  for (int deeper = level + 1; deeper < kListLevels; ++deeper) {
    const ListLevel* definition = LevelOf(instance, deeper);
    const int restartAfter = definition && definition->restartAfter ? *definition->restartAfter
                                                                    : deeper;
    if (level < restartAfter) counters.started[deeper] = false;
  }
}

std::u16string Numbering::LabelText(const Instance& instance, const ListLevel& level,
                                    const Counters& counters) const {
  std::u16string text;
  for (std::size_t i = 0; i < level.text.size(); ++i) {
    const char16_t next = i + 1 < level.text.size() ? level.text[i + 1] : u'\0';
    if (level.text[i] != u'%' || next < u'1' || next > u'9') {
      text += level.text[i];
      continue;
    }
    const int shown = next - u'1';
    ++i;
    const ListLevel* definition = LevelOf(instance, shown);
    if (definition == nullptr) continue;
    const std::int64_t value = counters.started[shown] ? counters.values[shown] : definition->start;
    text += FormatCounter(value, definition->format);
  }
  return text;
}

std::optional<ListLabel> Numbering::Next(std::string_view numId, int level) {
  const auto found = instances_.find(numId);
  if (found == instances_.end() || level < 0 || level >= kListLevels) return std::nullopt;
  const Instance& instance = found->second;
  const ListLevel* definition = LevelOf(instance, level);
  if (definition == nullptr) return std::nullopt;
  Counters& counters = counters_[instance.abstractId];
  StartInstance(found->first, instance, counters);
  Count(instance, level, counters);
  ListLabel label;
  label.text = LabelText(instance, *definition, counters);
  label.kind = KindOf(*definition, label.text);
  if (label.kind != LabelKind::None) label.suffix = definition->suffix;
  return label;
}

}  // namespace texttoxml::docx
