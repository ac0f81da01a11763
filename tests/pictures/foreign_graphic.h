// An empty graphic of a kind the picture kinds do not know, for testing what
// they do with a source they cannot take.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "pictures/graphic.h"

namespace texttoxml::testing {

class ForeignGraphic : public pictures::Graphic {
 public:
  explicit ForeignGraphic(std::string_view className = "TForeign") : className_(className) {}
  std::string_view ClassName() const override { return className_; }
  std::unique_ptr<pictures::Graphic> CreateNew() const override {
    return std::make_unique<ForeignGraphic>(className_);
  }
  void Assign(const pictures::Graphic&) override {}
  bool Empty() const override { return true; }
  int Width() const override { return 0; }
  int Height() const override { return 0; }
  void LoadFromBytes(std::string_view) override {}
  void SaveToStream(std::string&) const override {}

 private:
  std::string className_;
};

}  // namespace texttoxml::testing
