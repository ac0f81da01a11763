// A graphic of a kind that no picture reader makes: its class name and
// stored bytes are the test's choice, it can be told to fail, and it counts
// how many of its kind are alive. Picture kinds refuse it as a source.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "pictures/graphic.h"

namespace texttoxml::testing {

class FakeGraphic : public pictures::Graphic {
 public:
  enum class Failure { None, ClassName, Bytes };

  FakeGraphic(std::string className, std::string bytes, Failure failure = Failure::None)
      : className_(std::move(className)), bytes_(std::move(bytes)), failure_(failure) {
    ++alive;
  }
  ~FakeGraphic() override { --alive; }

  std::string_view ClassName() const override {
    if (failure_ == Failure::ClassName) throw std::runtime_error("no class name");
    return className_;
  }
  std::unique_ptr<Graphic> CreateNew() const override {
    return std::make_unique<FakeGraphic>(className_, "");
  }
  void Assign(const Graphic&) override {}
  bool Empty() const override { return bytes_.empty(); }
  int Width() const override { return 1; }
  int Height() const override { return 1; }
  void LoadFromBytes(std::string_view bytes) override { bytes_ = bytes; }
  // A failing graphic has already written half of its bytes when it fails.
  void SaveToStream(std::string& out) const override {
    if (failure_ == Failure::Bytes) {
      out.append(bytes_.substr(0, bytes_.size() / 2));
      throw std::runtime_error("no bytes");
    }
    out.append(bytes_);
  }

  static inline int alive = 0;

 private:
  std::string className_;
  std::string bytes_;
  Failure failure_;
};

}  // namespace texttoxml::testing
