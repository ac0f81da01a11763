#include "richtext/property_writer.h"

#include <gtest/gtest.h>

#include <climits>

#include "hex_support.h"
#include "richtext/richtext_errors.h"

namespace texttoxml::richtext {
namespace {

using testing::Hex;
using testing::HexShort;

template <class Write>
std::string Written(Write write) {
  std::string out;
  PropertyWriter writer(out);
  write(writer);
  return Hex(out);
}

std::string Integer(std::int32_t value) {
  return Written([&](PropertyWriter& w) { w.WriteInteger(value); });
}

std::string String(std::u16string_view text) {
  return Written([&](PropertyWriter& w) { w.WriteString(text); });
}

std::string Ident(std::string_view name) {
  return Written([&](PropertyWriter& w) { w.WriteIdent(name); });
}

TEST(PropertyWriter, IntegersTakeTheSmallestTagThatHoldsThem) {
  EXPECT_EQ(Integer(0), "0200");
  EXPECT_EQ(Integer(127), "027F");
  EXPECT_EQ(Integer(-128), "0280");
  EXPECT_EQ(Integer(128), "038000");
  EXPECT_EQ(Integer(-129), "037FFF");
  EXPECT_EQ(Integer(-200), "0338FF");
  EXPECT_EQ(Integer(32767), "03FF7F");
  EXPECT_EQ(Integer(-32768), "030080");
  EXPECT_EQ(Integer(32768), "0400800000");
  EXPECT_EQ(Integer(-32769), "04FF7FFFFF");
  EXPECT_EQ(Integer(INT_MAX), "04FFFFFF7F");
  EXPECT_EQ(Integer(INT_MIN), "0400000080");
}

TEST(PropertyWriter, StringsChooseTheirEncodingByContentAndLength) {
  EXPECT_EQ(String(u"Arial"), "0605" + Hex("Arial"));
  const std::string ascii255(255, 'a'), ascii256(256, 'a');
  EXPECT_EQ(String(std::u16string(255, u'a')), "06FF" + Hex(ascii255));
  EXPECT_EQ(String(std::u16string(256, u'a')), "0C00010000" + Hex(ascii256));
  // Cyrillic only: UTF-8 is no shorter than UTF-16, so UTF-16 it is.
  EXPECT_EQ(String(u"Абв"),
            "1203000000"
            "1004"
            "3104"
            "3204");
  // Mixed Latin and Cyrillic: UTF-8 is shorter and not plain ASCII.
  EXPECT_EQ(String(u"\u0410b"),
            "1403000000"
            "D090"
            "62");
  // A long mixed text still goes as UTF-8 with a 4-byte length.
  std::u16string longMixed(300, u'x');
  longMixed[0] = u'Я';
  EXPECT_EQ(String(longMixed).substr(0, 10), "142D010000");
  // Three UTF-8 bytes per character, or four per surrogate pair: UTF-16.
  EXPECT_EQ(String(u"中"), "12010000002D4E");
  EXPECT_EQ(String(u"\U0001F600"), "12020000003DD800DE");
  // The empty string is not shorter in UTF-8 either.
  EXPECT_EQ(String(u""), "1200000000");
}

TEST(PropertyWriter, ShortStringsAreCutAt255BytesOnACharacterBoundary) {
  std::string out;
  PropertyWriter writer(out);
  writer.WriteShortString(std::string(300, 'n'));
  EXPECT_EQ(out.size(), 256u);
  EXPECT_EQ(static_cast<unsigned char>(out[0]), 255);

  out.clear();
  // 254 ASCII bytes and a two-byte character: cutting at 255 would split it.
  writer.WriteShortString(std::string(254, 'n') +
                          "\xD0\xAF"
                          "z");
  EXPECT_EQ(static_cast<unsigned char>(out[0]), 254);
  EXPECT_EQ(out.size(), 255u);

  EXPECT_EQ(Written([](PropertyWriter& w) { w.WriteShortString(""); }), "00");
}

TEST(PropertyWriter, IdentifiersTrueFalseNullAndNilAreBareTags) {
  EXPECT_EQ(Ident("True"), "09");
  EXPECT_EQ(Ident("FALSE"), "08");
  EXPECT_EQ(Ident("null"), "00");
  EXPECT_EQ(Ident("NIL"), "0D");
  EXPECT_EQ(Ident("rvaCenter"), "07" + HexShort("rvaCenter"));
  EXPECT_EQ(Ident("Truth"), "07" + HexShort("Truth"));
  EXPECT_EQ(Written([](PropertyWriter& w) { w.WriteBoolean(true); }), "09");
  EXPECT_EQ(Written([](PropertyWriter& w) { w.WriteBoolean(false); }), "08");
}

TEST(PropertyWriter, SetsListMembersInOrdinalOrderAndEndWithAnEmptyName) {
  constexpr std::string_view names[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
  EXPECT_EQ(Written([&](PropertyWriter& w) { w.WriteSet(0b1001, names); }),
            "0B" + HexShort("fsBold") + HexShort("fsStrikeOut") + "00");
  EXPECT_EQ(Written([&](PropertyWriter& w) { w.WriteSet(0, names); }), "0B00");
  const std::vector<std::string> members = {"Size", "Color"};
  EXPECT_EQ(Written([&](PropertyWriter& w) { w.WriteSet(members); }),
            "0B" + HexShort("Size") + HexShort("Color") + "00");
}

TEST(PropertyWriter, NamedIntegersUseTheNameWhenThereIsOne) {
  constexpr IntegerName names[] = {{0x1FFFFFFF, "clNone"}, {0xFF, "clRed"}};
  EXPECT_EQ(Written([&](PropertyWriter& w) { w.WriteNamedInteger(0xFF, names); }),
            "07" + HexShort("clRed"));
  EXPECT_EQ(Written([&](PropertyWriter& w) { w.WriteNamedInteger(0x1234, names); }), "033412");
}

TEST(PropertyWriter, PropertiesAtTheirDefaultAreLeftOut) {
  constexpr std::string_view kinds[] = {"rvaLeft", "rvaRight", "rvaCenter"};
  EXPECT_EQ(Written([&](PropertyWriter& w) {
              w.IntegerProperty("Size", 10, 10);
              w.BooleanProperty("Jump", false, false);
              w.EnumProperty("Alignment", 0, kinds, 0);
              w.SetProperty("Style", 0, kinds);
              w.StringProperty("StyleName", u"");
            }),
            "");
  EXPECT_EQ(Written([&](PropertyWriter& w) {
              w.IntegerProperty("Size", 12, 10);
              w.IntegerProperty("Position", 0, std::nullopt);
              w.BooleanProperty("Unicode", false, std::nullopt);
              w.EnumProperty("Alignment", 2, kinds, 0);
            }),
            HexShort("Size") + "020C" + HexShort("Position") + "0200" + HexShort("Unicode") + "08" +
                HexShort("Alignment") + "07" + HexShort("rvaCenter"));
  EXPECT_THROW_MSG(Written([&](PropertyWriter& w) { w.EnumProperty("Alignment", 3, kinds, 0); }),
                   PropertyRangeError, "Value out of range for property Alignment");
}

TEST(PropertyWriter, SubObjectsPrefixTheirPropertyNamesWithTheirPath) {
  std::string written = Written([](PropertyWriter& w) {
    w.ObjectProperty("Border", [&] {
      w.IntegerProperty("Width", 2, 1);
      w.ObjectProperty("BorderOffsets", [&] { w.IntegerProperty("Left", 3, 0); });
      w.IntegerProperty("Unchanged", 0, 0);  // a sub-object at its defaults leaves nothing
      w.ObjectProperty("VisibleBorders", [&] { w.BooleanProperty("Top", true, true); });
    });
    w.IntegerProperty("LineSpacing", 120, 100);
  });
  EXPECT_EQ(written, HexShort("Border.Width") + "0202" + HexShort("Border.BorderOffsets.Left") +
                         "0203" + HexShort("LineSpacing") + "0278");
}

TEST(PropertyWriter, CollectionItemsAreWrittenWithoutThePathAndRestoreIt) {
  const std::vector<int> items = {5, 6};
  std::string written = Written([&](PropertyWriter& w) {
    w.ObjectProperty("Outer", [&] {
      w.CollectionProperty("Tabs", items,
                           [&](int item) { w.IntegerProperty("Position", item, 0); });
      w.IntegerProperty("After", 1, 0);
    });
  });
  EXPECT_EQ(written, HexShort("Outer.Tabs") + "0E" + "01" + HexShort("Position") + "0205" + "00" +
                         "01" + HexShort("Position") + "0206" + "00" + "00" +
                         HexShort("Outer.After") + "0201");
  EXPECT_EQ(Written([&](PropertyWriter& w) { w.WriteCollection(std::vector<int>{}, [](int) {}); }),
            "0E00");
}

}  // namespace
}  // namespace texttoxml::richtext
