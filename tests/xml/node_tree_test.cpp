#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/utf.h"
#include "test_support.h"
#include "xml/attribute.h"
#include "xml/char_data.h"
#include "xml/declaration.h"
#include "xml/document.h"
#include "xml/xml_errors.h"
#include "xml/xml_helper.h"

namespace texttoxml::xml {
namespace {

class NodeTree : public ::testing::Test {
 protected:
  std::unique_ptr<Document> document = Document::CreateName("Examora");
  Element& root = *document->Root();

  // The stored text of the element's value, or "-" when it has none.
  static std::string StoredValue(const Element& element) {
    auto index = element.ValueIndex();
    if (!index) return "-";
    return std::string(static_cast<const CharData&>(element.NodeAt(*index)).CoreValue());
  }
  static std::string StoredAttribute(const Element& element, std::size_t index) {
    const auto& attribute = static_cast<const Attribute&>(element.NodeAt(index));
    return std::string(attribute.Name()) + "=" + std::string(attribute.CoreValue().CoreValue());
  }
  static std::vector<XmlNodeKind> Kinds(const Element& element) {
    std::vector<XmlNodeKind> kinds;
    for (const Node* node = element.FirstNode(); node != nullptr; node = node->NextNode())
      kinds.push_back(node->ElementType());
    return kinds;
  }
};

TEST_F(NodeTree, NewDocumentHoldsDeclarationAndEmptyRoot) {
  ASSERT_EQ(document->RootNodes().size(), 2u);
  const auto& declaration = static_cast<const Declaration&>(*document->RootNodes()[0]);
  EXPECT_EQ(declaration.ElementType(), XmlNodeKind::Declaration);
  EXPECT_EQ(declaration.Name(), "xml");
  ASSERT_EQ(declaration.DirectNodeCount(), 2u);
  EXPECT_EQ(declaration.NodeAt(0).Name(), "version");
  EXPECT_EQ(declaration.NodeAt(1).Name(), "encoding");
  EXPECT_EQ(document->RootNodes()[1], &root);
  EXPECT_EQ(root.Name(), "Examora");
  EXPECT_EQ(root.NodeCount(), 0u);
  EXPECT_EQ(root.Parent(), nullptr);
  EXPECT_EQ(document->XmlFormat(), XmlFormatType::Preserve);
  EXPECT_EQ(&root.NodeNew("Task").Parent()->Owner(), document.get());
}

TEST_F(NodeTree, ValuesAreStoredEscapedWithLfLineBreaks) {
  Element& e = root.NodeNew("e");
  e.SetValue("A & B");
  EXPECT_EQ(StoredValue(e), "A &amp; B");
  e.SetValue("it's \"<x>\"\t\x01");
  EXPECT_EQ(StoredValue(e), "it&apos;s &quot;&lt;x&gt;&quot;\t\x01");
  e.SetValueUnicode(u"a\r\nb\rc\n\r\nd");
  EXPECT_EQ(StoredValue(e), "a\nb\nc\n\nd");
  e.SetValue("x\r\n\ry");
  EXPECT_EQ(StoredValue(e), "x\n\ny");
  e.SetValueUnicode(u"\U0001F600\u0416");  // one four-byte sequence, then Cyrillic
  EXPECT_EQ(StoredValue(e), "\xF0\x9F\x98\x80\xD0\x96");
  e.SetValueUnicode(std::u16string(1, u'\xD800'));
  EXPECT_EQ(StoredValue(e), "\xEF\xBF\xBD");

  e.AttributeAdd("a", "x\r\ny & 'z'");
  EXPECT_EQ(StoredAttribute(e, 0), "a=x\r\ny &amp; &apos;z&apos;");
}

// UTF-16 values are converted, their line breaks rewritten and their
// reserved characters escaped in one pass over stack-sized chunks: whatever
// falls on a chunk's edge (a CR LF, a surrogate pair, an entity) is stored
// as the UTF-8 form of the same text would be.
TEST_F(NodeTree, UnicodeValuesAreStoredAsTheirUtf8FormWouldBe) {
  Element& wide = root.NodeNew("wide");
  Element& utf8 = root.NodeNew("utf8");
  for (std::size_t lead = 250; lead <= 262; ++lead) {
    const std::u16string text = std::u16string(lead, u'x') + u"\r\n&\U0001F600\u0416<\r\"" +
                                std::u16string(600, u'\u0436') + u"'\n>";
    wide.SetValueUnicode(text);
    utf8.SetValue(platform::Utf16ToUtf8(text));
    ASSERT_EQ(StoredValue(wide), StoredValue(utf8)) << lead;
  }
  wide.SetValueUnicode(u"");
  EXPECT_EQ(StoredValue(wide), "-");

  wide.AttributeAdd("a", "");
  Node& attribute = wide.NodeAt(0);
  attribute.SetValueUnicode(u"1\r\n<2>");
  EXPECT_EQ(StoredAttribute(wide, 0), "a=1\n&lt;2&gt;");
  EXPECT_THROW_MSG(document->RootNodes()[0]->SetValueUnicode(u"x"), XmlError,
                   "cannot set value on this type of element");
}

// Counts how often it is asked for its bytes.
class CountingSource : public ValueSource {
 public:
  explicit CountingSource(int& writes) : writes_(writes) {}
  void WriteTo(platform::OutputStream& out) const override {
    ++writes_;
    platform::WriteAll(out, "QUJD", 4);
  }

 private:
  int& writes_;
};

// A value from a source replaces the stored one, keeps its place after the
// attributes and is asked for its bytes only when the document is written.
TEST_F(NodeTree, SourcedValueIsWrittenFromItsSourceWhenTheElementIs) {
  document->SetXmlFormat(XmlFormatType::Readable);
  int writes = 0;
  Element& e = root.NodeNew("e");
  e.SetValueUnicode(u"replaced");
  e.SetValueSource(std::make_unique<CountingSource>(writes));
  AddAttribute(e, u"a", u"1");
  EXPECT_EQ(Kinds(e), (std::vector<XmlNodeKind>{XmlNodeKind::Attribute, XmlNodeKind::CharData}));
  EXPECT_EQ(writes, 0);
  std::string bytes;
  platform::StringOutputStream out(bytes);
  document->SaveToStream(out);
  EXPECT_EQ(writes, 1);
  EXPECT_NE(bytes.find("\t<e a=\"1\">QUJD</e>\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find("replaced"), std::string::npos);
  e.SetValue("");
  EXPECT_EQ(e.ValueIndex(), std::nullopt);
}

TEST_F(NodeTree, DateTimeValueShowsTheGivenTimeWithoutMilliseconds) {
  Element& e = root.NodeNew("SaveDate");
  e.SetValueAsDateTime({2013, 2, 1, 9, 5, 3, 999});
  EXPECT_EQ(StoredValue(e), "2013-02-01T09:05:03Z");
  e.SetValueAsDateTime({987, 12, 31, 23, 59, 59, 0});
  EXPECT_EQ(StoredValue(e), "0987-12-31T23:59:59Z");
}

TEST_F(NodeTree, AttributesPrecedeValueAndChildrenInAnyCallOrder) {
  Element& e = root.NodeNew("e");
  e.SetValue("v");
  e.AttributeAdd("a", "1");
  Element& child = e.NodeNew("c");
  e.AttributeAdd("b", "2");
  e.AttributeAdd("a", "3");
  Element& twin = e.NodeNew("c");
  using K = XmlNodeKind;
  EXPECT_EQ(Kinds(e), (std::vector<K>{K::Attribute, K::Attribute, K::Attribute, K::CharData,
                                      K::Element, K::Element}));
  EXPECT_EQ(StoredAttribute(e, 0), "a=1");
  EXPECT_EQ(StoredAttribute(e, 1), "b=2");
  EXPECT_EQ(StoredAttribute(e, 2), "a=3");
  EXPECT_EQ(e.DirectNodeCount(), 3u);
  EXPECT_EQ(e.ValueIndex(), 3u);
  EXPECT_EQ(&e.NodeAt(4), &child);
  EXPECT_EQ(&e.NodeAt(5), &twin);
  EXPECT_EQ(child.Parent(), &e);

  e.SetValue("w");  // replaces the text only
  EXPECT_EQ(e.NodeCount(), 6u);
  EXPECT_EQ(StoredValue(e), "w");

  e.SetValue("");  // removes the value node
  EXPECT_EQ(e.NodeCount(), 5u);
  EXPECT_EQ(e.ValueIndex(), std::nullopt);
  EXPECT_EQ(&e.NodeAt(3), &child);
  e.SetValue("");
  EXPECT_EQ(e.NodeCount(), 5u);
}

TEST_F(NodeTree, DeleteAndInsertKeepAttributeCountAndValueIndex) {
  Element& e = root.NodeNew("e");
  e.AttributeAdd("a", "1");
  e.AttributeAdd("b", "2");
  e.SetValue("v");
  e.NodeNew("c1");
  e.NodeDelete(0);
  EXPECT_EQ(e.DirectNodeCount(), 1u);
  EXPECT_EQ(e.ValueIndex(), 1u);

  // A child inserted at or before the value moves it on, but never goes
  // between the attributes.
  Node& early = e.NodeInsert(0, document->NewNode<Element>());
  EXPECT_EQ(&e.NodeAt(1), &early);
  EXPECT_EQ(e.ValueIndex(), 2u);
  EXPECT_EQ(early.Parent(), &e);

  // An attribute always joins the attributes.
  e.NodeAdd(document->NewNode<Attribute>());
  EXPECT_EQ(e.DirectNodeCount(), 2u);
  EXPECT_EQ(e.ValueIndex(), 3u);
  EXPECT_EQ(e.NodeAt(1).ElementType(), XmlNodeKind::Attribute);

  e.NodeDelete(2);  // the early child: the value moves back
  EXPECT_EQ(e.ValueIndex(), 2u);
  e.NodeDelete(2);  // the value itself
  EXPECT_EQ(e.ValueIndex(), std::nullopt);
  EXPECT_EQ(e.NodeAt(2).Name(), "c1");
  EXPECT_THROW_MSG(e.NodeDelete(3), XmlError, "node index out of bounds");
  EXPECT_THROW_MSG(e.NodeAt(3), XmlError, "node index out of bounds");
  EXPECT_THROW_MSG(e.NodeInsert(4, document->NewNode<Element>()), XmlError,
                   "node index out of bounds");

  // The last node goes, then a new one is appended behind the one before.
  e.NodeDelete(2);
  Element& tail = e.NodeNew("tail");
  EXPECT_EQ(&e.NodeAt(2), &tail);
  EXPECT_EQ(tail.NextNode(), nullptr);
}

TEST_F(NodeTree, RefusedOperationsRaiseTheirMessages) {
  EXPECT_THROW_MSG(Element(nullptr), XmlError, "XML owner is not assigned");
  auto other = Document::CreateName("Other");
  EXPECT_THROW_MSG(root.NodeAdd(other->NewNode<Element>()), XmlError, "XML owner is not assigned");

  Node& declaration = *document->RootNodes()[0];
  EXPECT_THROW_MSG(declaration.SetValue("x"), XmlError, "cannot set value on this type of element");
  EXPECT_THROW_MSG(declaration.SetName("x"), XmlError, "cannot set name on this type of element");
  EXPECT_THROW_MSG(Node(document.get()).SetValue("x"), XmlError,
                   "cannot set value on this type of element");

  root.AttributeAdd("a", "1");
  root.SetValue("v");
  for (Node* leaf : {&root.NodeAt(0), &root.NodeAt(1)}) {
    EXPECT_THROW_MSG(leaf->NodeAdd(document->NewNode<Element>()), XmlError,
                     "cannot add node to this type of element");
    EXPECT_THROW_MSG(leaf->NodeInsert(0, document->NewNode<Element>()), XmlError,
                     "cannot add node to this type of element");
    EXPECT_THROW_MSG(leaf->NodeDelete(0), XmlError,
                     "cannot manipulate nodes in this type of element");
    EXPECT_THROW_MSG(leaf->AttributeAdd("b", "2"), XmlError, "cannot add attribute");
  }
  EXPECT_EQ(root.NodeCount(), 2u);
}

TEST_F(NodeTree, ANodeStandsInOnePlaceOfTheTree) {
  Element& child = root.NodeNew("child");
  Element& grandchild = child.NodeNew("grandchild");
  EXPECT_THROW_MSG(root.NodeAdd(child), XmlError, "node is already in the tree");
  EXPECT_THROW_MSG(grandchild.NodeAdd(root), XmlError, "node is already in the tree");

  // A node not yet in the tree cannot go below itself either.
  Element& loose = document->NewNode<Element>();
  Element& inner = loose.NodeNew("inner");
  EXPECT_THROW_MSG(inner.NodeAdd(loose), XmlError, "node is already in the tree");
  EXPECT_THROW_MSG(loose.NodeAdd(loose), XmlError, "node is already in the tree");
  Element& empty = document->NewNode<Element>();
  EXPECT_THROW_MSG(empty.NodeAdd(empty), XmlError, "node is already in the tree");
  EXPECT_EQ(empty.NodeCount(), 0u);

  // A node taken out may go elsewhere.
  child.NodeDelete(0);
  EXPECT_EQ(grandchild.Parent(), nullptr);
  root.NodeAdd(grandchild);
  EXPECT_EQ(&root.NodeAt(1), &grandchild);
  EXPECT_EQ(root.NodeCount(), 2u);
  EXPECT_EQ(child.NodeCount(), 0u);
}

TEST_F(NodeTree, MisusesWithoutExceptionGoToTheDiagnosticHandler) {
  auto other = Document::CreateName("Other");
  // Without a handler the diagnostics are dropped.
  root.AttributeAdd(other->NewNode<Attribute>());
  EXPECT_EQ(root.NodeCount(), 0u);

  std::vector<std::string> reports;
  document->SetOnDiagnostic([&](const Node& sender, WarnStyle style, std::string_view message) {
    reports.push_back(std::string(sender.Name()) + " " + std::to_string(static_cast<int>(style)) +
                      " " + std::string(message));
  });
  root.AttributeAdd(other->NewNode<Attribute>());
  EXPECT_EQ(root.NodeCount(), 0u);
  root.SetValue("v");
  Node& value = root.NodeAt(0);
  value.SetName("");
  value.SetName("name");
  EXPECT_EQ(value.Name(), "");
  EXPECT_EQ(reports, (std::vector<std::string>{"Examora 3 XML owner is not assigned",
                                               " 1 cannot set name on this type of element"}));
}

TEST_F(NodeTree, HelperOperationsConvertUtf16) {
  Element& task = AddChildElement(root, u"Task\u0416");
  EXPECT_EQ(task.Name(), "Task\xD0\x96");
  AddAttribute(task, u"Type", u"line\r\n\U0001F600");
  AddBoolAttribute(task, u"Yes", true);
  AddBoolAttribute(task, u"No", false);
  EXPECT_EQ(StoredAttribute(task, 0), "Type=line\r\n\xF0\x9F\x98\x80");
  EXPECT_EQ(StoredAttribute(task, 1), "Yes=True");
  EXPECT_EQ(StoredAttribute(task, 2), "No=False");
  EXPECT_THROW_MSG(AddAttribute(task.NodeAt(0), u"a", u"b"), XmlError, "cannot add attribute");
}

TEST_F(NodeTree, NamesAndTextsAreInternedOnce) {
  SymbolTable& table = document->GetSymbolTable();
  std::size_t before = table.SymbolCount();
  for (int i = 0; i < 100; ++i) root.NodeNew("Task").AttributeAdd("Type", "TYPE_TASK_ENTER_NUM");
  EXPECT_EQ(table.SymbolCount(), before + 3);
  root.NodeDelete(0);
  EXPECT_EQ(table.GetString(before + 1), "Task");  // entries outlive their nodes
}

}  // namespace
}  // namespace texttoxml::xml
