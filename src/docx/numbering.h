// Word's automatic numbering: the list definitions of the numbering part and
// the counters that give each numbered paragraph its label.
//
// Counters belong to an abstract list definition and a level, so that
// lists of the same definition continue each other. Using a level restarts
// the deeper ones (unless w:lvlRestart says otherwise); a list instance
// that overrides a level's start (w:startOverride) restarts that level when
// the instance is first used.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "docx/paragraph.h"
#include "docx/xml_tree.h"

namespace texttoxml::docx {

inline constexpr int kListLevels = 9;

struct ListLevel {
  std::int64_t start = 1;
  std::string format = "decimal";
  std::u16string text;  // w:lvlText, with %1 to %9 for the levels' counters
  std::u16string suffix = u"\t";
  std::optional<int>
      restartAfter;  // w:lvlRestart: restart when a level up to this one (from 1) is used
};

// The numbering a paragraph style carries.
struct StyleNumbering {
  std::string numId;
  int level = 0;
};

class Numbering {
 public:
  // From the roots of the numbering and styles parts; either may be missing.
  Numbering(const XmlElement* numbering, const XmlElement* styles);

  // The numbering of a paragraph with style `styleId`, through its base
  // styles; nullopt when it has none.
  std::optional<StyleNumbering> OfStyle(std::string_view styleId) const;

  // The label of the next paragraph of list `numId` at `level`, counting it;
  // nullopt when the list or its level is not defined.
  std::optional<ListLabel> Next(std::string_view numId, int level);

 private:
  using Levels = std::array<std::optional<ListLevel>, kListLevels>;
  struct Instance {
    std::string abstractId;
    Levels overrides;  // levels the instance redefines
    std::array<std::optional<std::int64_t>, kListLevels> startOverrides;
  };
  struct Counters {
    std::array<std::int64_t, kListLevels> values{};
    std::array<bool, kListLevels> started{};
  };
  struct Style {
    std::string basedOn;
    std::optional<StyleNumbering> numbering;
  };

  const ListLevel* LevelOf(const Instance& instance, int level) const;
  void StartInstance(const std::string& numId, const Instance& instance, Counters& counters);
  void Count(const Instance& instance, int level, Counters& counters) const;
  std::u16string LabelText(const Instance& instance, const ListLevel& level,
                           const Counters& counters) const;

  std::map<std::string, Levels, std::less<>> abstracts_;
  std::map<std::string, Instance, std::less<>> instances_;
  std::map<std::string, Style, std::less<>> styles_;
  std::map<std::string, Counters, std::less<>> counters_;  // by abstract definition
  std::set<std::string, std::less<>> startedInstances_;
};

}  // namespace texttoxml::docx
