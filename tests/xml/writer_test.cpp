#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/platform_errors.h"
#include "test_support.h"
#include "xml/document.h"
#include "xml/xml_helper.h"

namespace texttoxml::xml {
namespace {

using testing::ReadFile;
using testing::TempDir;

// The test document of a task file with one choice task.
std::unique_ptr<Document> ExampleDocument() {
  auto document = Document::CreateName("Examora");
  document->SetXmlFormat(XmlFormatType::Readable);
  Element& root = *document->Root();
  Element& version = AddChildElement(root, u"Version");
  version.SetValueUnicode(u"11.0");
  AddAttribute(version, u"Editor", u"Text1ToXML");
  AddChildElement(root, u"SaveDate").SetValueAsDateTime({2013, 7, 24, 15, 4, 5, 870});
  AddChildElement(root, u"TestOptions");
  Element& group = AddChildElement(AddChildElement(root, u"Groups"), u"Group");
  AddChildElement(group, u"Title").SetValueUnicode(u"tasks.txt");
  Element& task = AddChildElement(AddChildElement(group, u"Tasks"), u"Task");
  AddAttribute(task, u"Type", u"TYPE_TASK_CHOICE_SINGLE");
  AddChildElement(AddChildElement(task, u"QuestionText"), u"PlainText")
      .SetValueUnicode(u"Who wrote \"A & B\"?\r\nPick <one>.");
  return document;
}

const std::string kExampleFile =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<Examora>\r\n"
    "\t<Version Editor=\"Text1ToXML\">11.0</Version>\r\n"
    "\t<SaveDate>2013-07-24T15:04:05Z</SaveDate>\r\n"
    "\t<TestOptions/>\r\n"
    "\t<Groups>\r\n"
    "\t\t<Group>\r\n"
    "\t\t\t<Title>tasks.txt</Title>\r\n"
    "\t\t\t<Tasks>\r\n"
    "\t\t\t\t<Task Type=\"TYPE_TASK_CHOICE_SINGLE\">\r\n"
    "\t\t\t\t\t<QuestionText>\r\n"
    "\t\t\t\t\t\t<PlainText>Who wrote &quot;A &amp; B&quot;?\r\n"
    "Pick &lt;one&gt;.</PlainText>\r\n"
    "\t\t\t\t\t</QuestionText>\r\n"
    "\t\t\t\t</Task>\r\n"
    "\t\t\t</Tasks>\r\n"
    "\t\t</Group>\r\n"
    "\t</Groups>\r\n"
    "</Examora>\r\n";

std::string Saved(Document& document) {
  std::string bytes;
  platform::StringOutputStream stream(bytes);
  document.SaveToStream(stream);
  return bytes;
}

// The root's content as written, without the declaration line and the
// root's own tags.
std::string SavedBody(Document& document) {
  std::string bytes = Saved(document);
  std::size_t start = bytes.find("<Examora>\r\n") + 11;
  return bytes.substr(start, bytes.rfind("</Examora>") - start);
}

// Takes at most `limit` bytes per write, and nothing once `capacity` is
// reached; records the size of every write it is offered.
class FakeStream : public platform::OutputStream {
 public:
  FakeStream(std::size_t limit, std::size_t capacity) : limit_(limit), capacity_(capacity) {}
  std::size_t Write(const char* data, std::size_t size) override {
    offered.push_back(size);
    std::size_t taken = std::min({size, limit_, capacity_ - bytes.size()});
    bytes.append(data, taken);
    return taken;
  }
  std::string bytes;
  std::vector<std::size_t> offered;

 private:
  std::size_t limit_;
  std::size_t capacity_;
};

TEST(XmlWriter, WritesTheExampleDocumentByteForByte) {
  EXPECT_EQ(kExampleFile.size(), 451u);
  auto document = ExampleDocument();
  EXPECT_EQ(Saved(*document), kExampleFile);

  TempDir folder;
  std::string path = folder.File("tasks.xml");
  folder.Write("tasks.xml", "old content");
  document->SaveToFile(path);
  EXPECT_EQ(ReadFile(path), kExampleFile);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(XmlWriter, LaysOutEmptyElementsAttributesAndValues) {
  auto document = Document::CreateName("Examora");
  document->SetXmlFormat(XmlFormatType::Readable);
  Element& root = *document->Root();
  root.NodeNew("Empty");
  Element& attributed = root.NodeNew("Attributed");
  attributed.AttributeAdd("a", "1");
  attributed.AttributeAdd("b", "2");
  attributed.AttributeAdd("a", "1");
  Element& emptied = root.NodeNew("Emptied");
  emptied.SetValue("gone");
  emptied.SetValue("");
  Element& late = root.NodeNew("Late");
  late.SetValue("\xD0\x96 text");
  late.AttributeAdd("at", "x\r\ny");
  Element& mixed = root.NodeNew("Mixed");
  mixed.SetValue("one\ntwo");
  mixed.NodeNew("Child").NodeNew("Deep").SetValue("d");
  EXPECT_EQ(SavedBody(*document),
            "\t<Empty/>\r\n"
            "\t<Attributed a=\"1\" b=\"2\" a=\"1\"/>\r\n"
            "\t<Emptied/>\r\n"
            "\t<Late at=\"x\r\ny\">\xD0\x96 text</Late>\r\n"
            "\t<Mixed>one\r\ntwo\r\n"
            "\t\t<Child>\r\n"
            "\t\t\t<Deep>d</Deep>\r\n"
            "\t\t</Child>\r\n"
            "\t</Mixed>\r\n");

  // Without the readable layout only the declaration ends a line.
  document->SetXmlFormat(XmlFormatType::Preserve);
  std::string compact = Saved(*document);
  EXPECT_EQ(compact.substr(compact.find("\r\n") + 2, 30), "<Examora><Empty/><Attributed a");
  EXPECT_TRUE(
      compact.ends_with("<Mixed>one\r\ntwo<Child><Deep>d</Deep></Child></Mixed></Examora>"));
}

TEST(XmlWriter, HandsBytesOverInChunksOf256) {
  auto document = ExampleDocument();
  for (int i = 0; i < 40; ++i) document->Root()->NodeNew("Task").SetValue(std::string(i * 13, 'x'));
  std::string expected = Saved(*document);
  ASSERT_GT(expected.size(), 10 * 256u);

  FakeStream whole(SIZE_MAX, SIZE_MAX);
  document->SaveToStream(whole);
  EXPECT_EQ(whole.bytes, expected);
  ASSERT_EQ(whole.offered.size(), expected.size() / 256 + 1);
  for (std::size_t i = 0; i + 1 < whole.offered.size(); ++i) EXPECT_EQ(whole.offered[i], 256u);
  EXPECT_EQ(whole.offered.back(), expected.size() % 256);

  // A stream that takes part of each write is offered the rest again.
  FakeStream partial(100, SIZE_MAX);
  document->SaveToStream(partial);
  EXPECT_EQ(partial.bytes, expected);
  EXPECT_EQ(partial.offered[0], 256u);
  EXPECT_EQ(partial.offered[1], 156u);
  EXPECT_EQ(partial.offered[2], 56u);
}

TEST(XmlWriter, FailsWhenTheStreamTakesNothing) {
  auto document = ExampleDocument();
  FakeStream full(SIZE_MAX, 300);
  EXPECT_THROW_MSG(document->SaveToStream(full), WriteError, "Stream write error");
  EXPECT_EQ(full.bytes, kExampleFile.substr(0, 300));
}

TEST(XmlWriter, SaveToFileKeepsAnExistingFileWhenWritingFails) {
  auto document = ExampleDocument();
  TempDir folder;
  std::string missing = folder.File("missing/tasks.xml");
  EXPECT_THROW_MSG(
      document->SaveToFile(missing), FCreateError,
      "Cannot create file \"" + platform::FullPath(missing) + "\". No such file or directory");

  // A file size limit below the document's size makes the writes fail.
  std::string path = folder.Write("tasks.xml", "old content");
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 300;
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  EXPECT_THROW(document->SaveToFile(path), WriteError);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(ReadFile(path), "old content");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

}  // namespace
}  // namespace texttoxml::xml
