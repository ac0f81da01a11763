#include <gtest/gtest.h>

#include "conversion/task_text.h"
#include "conversion/test_document.h"
#include "converted.h"
#include "platform/code_page.h"
#include "platform/stream.h"
#include "test_support.h"
#include "zero_guids.h"

namespace texttoxml::conversion {
namespace {

using texttoxml::testing::SameAsRecorded;

const std::string kData = std::string(TEXTTOXML_TEST_DATA) + "/conversion/";
const platform::DateTime kDate{2013, 7, 24, 15, 4, 5, 870};

using texttoxml::testing::WithZeroGuids;

std::u16string MemoOf(const std::string& path) {
  return MemoText(platform::AnsiToUtf16(texttoxml::testing::ReadFile(path)));
}

// The document of the whole tree, built and then saved.
std::string SavedTree(TestDocumentBuilder& builder, const std::string& path) {
  const PreparedText prepared = PrepareTaskText(MemoOf(path));
  auto document = builder.Build(prepared.blocks, {kData, path}, kDate);
  std::string bytes;
  platform::StringOutputStream out(bytes);
  document->SaveToStream(out);
  return bytes;
}

// 300 generated tasks of every kind (bench/make_tasks 300): the document must
// stay byte for byte what the converter wrote before its tree, string table
// and writer were tuned. The text has more distinct values than the string
// table's first index holds at half load (512), so the index grows.
TEST(GeneratedDocument, MatchesTheRecordedBytes) {
  const std::string path = kData + "generated_tasks.txt";
  const PreparedText prepared = PrepareTaskText(MemoOf(path));
  ASSERT_EQ(prepared.blocks.size(), 300u);

  TestDocumentBuilder builder;
  auto document = builder.Build(prepared.blocks, {kData, path}, kDate);
  std::string bytes;
  platform::StringOutputStream out(bytes);
  document->SaveToStream(out);

  const std::string expected = texttoxml::testing::ReadFile(kData + "generated_tasks.xml");
  EXPECT_TRUE(SameAsRecorded(bytes, expected, "generated_tasks.xml"));
  EXPECT_GT(document->GetSymbolTable().SymbolCount(), 512u);
}

// The conversion writes each task as soon as it is built and releases it;
// the bytes are those of the whole tree, recorded before tasks were
// streamed. picture_tasks.txt names a picture variant of every kind and
// question pictures, in choice and order tasks of up to twelve variants.
TEST(GeneratedDocument, TasksWrittenOneByOneGiveTheBytesOfTheWholeTree) {
  for (const char* name : {"generated_tasks", "picture_tasks"}) {
    SCOPED_TRACE(name);
    const std::string path = kData + name + ".txt";
    const std::string recorded = std::string(name) + ".xml";
    const std::string expected = texttoxml::testing::ReadFile(kData + recorded);
    const std::string streamed = WithZeroGuids(Converted(MemoOf(path), {kData, path}, kDate));
    EXPECT_TRUE(SameAsRecorded(streamed, expected, recorded)) << "written task by task";
    TestDocumentBuilder builder;
    EXPECT_TRUE(SameAsRecorded(WithZeroGuids(SavedTree(builder, path)), expected, recorded))
        << "saved as a whole tree";
  }
}

}  // namespace
}  // namespace texttoxml::conversion
