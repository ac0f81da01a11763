#include "xml/element_stream.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "error.h"
#include "platform/stream.h"
#include "xml/xml_helper.h"

namespace texttoxml::xml {
namespace {

// A root with content before and after the branch that leads to the
// streamed element "Items".
struct Skeleton {
  std::unique_ptr<Document> document = Document::CreateName("Root");
  Element* items = nullptr;

  Skeleton() {
    document->SetXmlFormat(XmlFormatType::Readable);
    Element& root = *document->Root();
    AddAttribute(AddChildElement(root, u"Before"), u"a", u"1");
    Element& branch = AddChildElement(root, u"Branch");
    AddChildElement(branch, u"Title").SetValueUnicode(u"two\r\nlines");
    items = &AddChildElement(branch, u"Items");
    AddChildElement(root, u"After").SetValueUnicode(u"x & y");
  }
};

// Child i: an attribute, a value, and a nested element for odd i.
void FillItem(Element& item, int i) {
  AddAttribute(item, u"n", std::u16string(1, static_cast<char16_t>(u'0' + i)));
  if (i % 2 == 1)
    AddChildElement(item, u"Inner").SetValueUnicode(u"<inner>");
  else
    item.SetValueUnicode(u"value 'quoted'");
}

std::string SavedWhole(int count) {
  Skeleton whole;
  for (int i = 0; i < count; ++i) FillItem(AddChildElement(*whole.items, u"Item"), i);
  std::string bytes;
  platform::StringOutputStream out(bytes);
  whole.document->SaveToStream(out);
  return bytes;
}

std::string Streamed(int count) {
  Skeleton skeleton;
  std::string bytes;
  platform::StringOutputStream out(bytes);
  BufferWriter writer(out);
  ElementStream stream(*skeleton.items, writer);
  for (int i = 0; i < count; ++i) {
    FillItem(stream.BeginChild("Item"), i);
    stream.EndChild();
  }
  stream.Finish();
  writer.Flush();
  return bytes;
}

// Indentation, the empty-element form of an element that gets no children,
// values on several lines and the content around the branch all come out
// as the finished tree writes them.
TEST(ElementStream, WritesTheBytesOfTheFinishedTree) {
  for (int count : {0, 1, 4}) {
    SCOPED_TRACE(count);
    EXPECT_EQ(Streamed(count), SavedWhole(count));
  }
  EXPECT_NE(Streamed(0).find("\t\t<Items/>\r\n"), std::string::npos);
}

TEST(ElementStream, ReleasesTheTextsOfEachChildOnceItIsWritten) {
  Skeleton skeleton;
  std::string bytes;
  platform::StringOutputStream out(bytes);
  BufferWriter writer(out);
  ElementStream stream(*skeleton.items, writer);
  const std::size_t before = skeleton.document->GetSymbolTable().SymbolCount();
  for (int i = 0; i < 3; ++i) {
    FillItem(stream.BeginChild("Item"), i);
    EXPECT_GT(skeleton.document->GetSymbolTable().SymbolCount(), before);
    stream.EndChild();
    EXPECT_EQ(skeleton.document->GetSymbolTable().SymbolCount(), before);
    EXPECT_EQ(skeleton.items->NodeCount(), 0u);
  }
}

TEST(ElementStream, RefusesAValueOnTheWayToTheStreamedElement) {
  for (bool onItself : {false, true}) {
    Skeleton skeleton;
    Element& holder = onItself ? *skeleton.items : static_cast<Element&>(*skeleton.items->Parent());
    holder.SetValueUnicode(u"text");
    std::string bytes;
    platform::StringOutputStream out(bytes);
    BufferWriter writer(out);
    EXPECT_THROW(ElementStream(*skeleton.items, writer), XmlError);
  }
}

}  // namespace
}  // namespace texttoxml::xml
