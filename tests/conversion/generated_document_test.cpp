#include <gtest/gtest.h>

#include "conversion/task_text.h"
#include "conversion/test_document.h"
#include "platform/code_page.h"
#include "platform/stream.h"
#include "test_support.h"

namespace texttoxml::conversion {
namespace {

const std::string kData = std::string(TEXTTOXML_TEST_DATA) + "/conversion/";

// 300 generated tasks of every kind (bench/make_tasks 300): the document must
// stay byte for byte what the converter wrote before its tree, string table
// and writer were tuned. The text has more distinct values than the string
// table's first index holds at half load (512), so the index grows.
TEST(GeneratedDocument, MatchesTheRecordedBytes) {
  const std::string path = kData + "generated_tasks.txt";
  const std::u16string memo = MemoText(platform::AnsiToUtf16(texttoxml::testing::ReadFile(path)));
  const PreparedText prepared = PrepareTaskText(memo);
  ASSERT_EQ(prepared.blocks.size(), 300u);

  TestDocumentBuilder builder;
  auto document = builder.Build(prepared.blocks, {kData, path}, {2013, 7, 24, 15, 4, 5, 870});
  std::string bytes;
  platform::StringOutputStream out(bytes);
  document->SaveToStream(out);

  const std::string expected = texttoxml::testing::ReadFile(kData + "generated_tasks.xml");
  EXPECT_EQ(bytes.size(), expected.size());
  EXPECT_TRUE(bytes == expected) << "the document differs from generated_tasks.xml";
  EXPECT_GT(document->GetSymbolTable().SymbolCount(), 512u);
}

}  // namespace
}  // namespace texttoxml::conversion
