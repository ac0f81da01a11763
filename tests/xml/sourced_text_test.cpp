#include "xml/sourced_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/stream.h"
#include "xml/document.h"
#include "xml/xml_helper.h"

namespace texttoxml::xml {
namespace {

// The document of one element holding `text`, as a value set on it or
// written from the text.
std::string Saved(std::u16string_view text, bool written) {
  auto document = Document::CreateName("Root");
  Element& element = AddChildElement(*document->Root(), u"Text");
  if (written) {
    element.SetValueSource(std::make_unique<WideTextSource>(text));
  } else {
    element.SetValueUnicode(text);
  }
  std::string bytes;
  platform::StringOutputStream out(bytes);
  document->SaveToStream(out);
  return bytes;
}

// Texts long enough to be written in several pieces, every few units a
// CR LF, a lone CR or LF, a surrogate pair, an unpaired surrogate or a
// character XML reserves, each shifted by another number of units: wherever
// a piece ends, the bytes are those of the value set whole.
TEST(WideTextSource, WritesTheBytesOfTheSameValue) {
  const std::u16string pattern = u"a\r\nb\U0001F600c\rd\ne&<>\"'f\xD800g";
  for (std::size_t shift = 0; shift < pattern.size(); ++shift) {
    std::u16string text(shift, u'x');
    while (text.size() < 100'000) text += pattern;
    const std::string set = Saved(text, false);
    EXPECT_GT(set.size(), text.size());
    EXPECT_EQ(Saved(text, true), set) << shift;
  }
  EXPECT_EQ(Saved(u"x", true), Saved(u"x", false));
}

}  // namespace
}  // namespace texttoxml::xml
