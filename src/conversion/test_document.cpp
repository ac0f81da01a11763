#include "conversion/test_document.h"

#include <memory>

#include "conversion/embedded_data.h"
#include "conversion/message_text.h"
#include "conversion/picture_variant.h"
#include "conversion/question_picture.h"
#include "error.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/guid.h"
#include "platform/utf.h"
#include "xml/buffer_writer.h"
#include "xml/element_stream.h"
#include "xml/sourced_text.h"
#include "xml/xml_helper.h"

namespace texttoxml::conversion {

namespace {

using xml::AddAttribute;
using xml::Element;

// The extension with its dot, when the last "." lies in the file name part;
// otherwise nothing. Letter case is kept.
std::u16string ExtensionOf(const std::string& path) {
  auto dot = path.find_last_of('.');
  auto slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return u"";
  return TextOfBytes(std::string_view(path).substr(dot));
}

void EmbedQuestionPicture(Element& task, const std::string& path) {
  std::string bytes = ReadQuestionPicture(path);
  if (bytes.empty()) return;
  Element& image = task.NodeNew("QuestionImage");
  image.SetValueSource(std::make_unique<EmbeddedData<std::string>>(std::move(bytes)));
  std::u16string fileName = TextOfBytes(NewGuidName()) + ExtensionOf(path);
  AddAttribute(image, u"FileName", fileName);
}

void WriteVariants(Element& task, const ParsedTask& parsed, PictureVariantWriter& pictureVariants,
                   std::optional<PictureInProgress>& picture, std::size_t block) {
  Element& variants = task.NodeNew("Variants");
  std::size_t count = std::min(parsed.answerItems.size(), kMaxWrittenVariants);
  for (std::size_t i = 0; i < count; ++i) {
    const AnswerItem& item = parsed.answerItems[i];
    Element& variant = variants.NodeNew("VariantText");
    variant.NodeNew("PlainText").SetValueUnicode(item.text);
    if (parsed.kind == TaskKind::ChoiceOrder) {
      variant.AttributeAdd("CorrectAnswer", std::to_string(item.mark));
    } else if (item.mark == 1) {
      variant.AttributeAdd("CorrectAnswer", "True");
    }
    const std::string& path = parsed.PictureOf(i);
    if (path.empty()) continue;
    picture = PictureInProgress{block, i, path};
    pictureVariants.Embed(variant, path);
    picture.reset();
  }
}

void WriteInputs(Element& task, const ParsedTask& parsed) {
  Element& input = task.NodeNew(parsed.kind == TaskKind::EnterNum ? "InputNum" : "InputText");
  std::size_t count = std::min(parsed.answerItems.size(), kMaxWrittenVariants);
  for (std::size_t i = 0; i < count; ++i) {
    const AnswerItem& item = parsed.answerItems[i];
    Element& value = input.NodeNew("Value");
    value.SetValueUnicode(item.Answer());
    if (const auto caption = item.Caption()) AddAttribute(value, u"Caption", *caption);
  }
}

}  // namespace

std::string NewGuidName() {
  return platform::NewGuidText();
}

namespace {

// The document with its fixed elements; returns Tasks, still empty.
Element& AddFixedElements(xml::Document& document, const TextSource& source,
                          const platform::DateTime& saveDate) {
  document.SetXmlFormat(xml::XmlFormatType::Readable);
  Element& root = *document.Root();
  Element& version = root.NodeNew("Version");
  version.SetValueUnicode(u"11.0");
  version.AttributeAdd("Editor", "Text1ToXML");
  root.NodeNew("SaveDate").SetValueAsDateTime(saveDate);
  root.NodeNew("TestOptions");
  Element& group = root.NodeNew("Groups").NodeNew("Group");
  group.NodeNew("Title").SetValueUnicode(source.openedPath.empty()
                                             ? std::u16string(kDefaultGroupTitle)
                                             : FileNameOf(source.openedPath));
  return group.NodeNew("Tasks");
}

// Stores the names and fixed values of the task elements before the first
// task, so that every task finds them in the string table instead of
// storing them again after the task before was released.
void StoreTaskNames(xml::Document& document) {
  static constexpr std::string_view kNames[] = {
      "Task",          "Type",     "QuestionText", "PlainText",     "QuestionImage",
      "FileName",      "Variants", "VariantText",  "CorrectAnswer", "True",
      "FormattedText", "InputNum", "InputText",    "Value",         "Caption"};
  for (std::string_view name : kNames) document.GetSymbolTable().AddString(name);
  for (TaskKind kind : kTaskKinds) {
    if (kind != TaskKind::NoTask) document.GetSymbolTable().AddString(TaskTypeName(kind));
  }
}

}  // namespace

std::unique_ptr<xml::Document> TestDocumentBuilder::Build(
    std::span<const std::u16string_view> blocks, const TextSource& source,
    const platform::DateTime& saveDate) {
  auto document = xml::Document::CreateName("Examora");
  Element& tasks = AddFixedElements(*document, source, saveDate);
  writesEachTask_ = false;
  AddTasks(
      blocks, source, nullptr, [&]() -> Element& { return tasks.NodeNew("Task"); }, [] {});
  return document;
}

void TestDocumentBuilder::Write(std::span<const std::u16string_view> blocks,
                                const TextSource& source, const platform::DateTime& saveDate,
                                platform::OutputStream& out, TaskObserver* observer) {
  auto document = xml::Document::CreateName("Examora");
  xml::BufferWriter writer(out);
  xml::ElementStream tasks(AddFixedElements(*document, source, saveDate), writer);
  StoreTaskNames(*document);
  writesEachTask_ = true;
  AddTasks(
      blocks, source, observer, [&]() -> Element& { return tasks.BeginChild("Task"); },
      [&] { tasks.EndChild(); });
  tasks.Finish();
  writer.Flush();
}

namespace {

// After a failure the findings of the blocks not yet read are still wanted,
// as `check` would give them. The conversion has failed already, so a
// failure here changes nothing that is reported.
void ObserveRest(std::span<const std::u16string_view> blocks, const std::string& dir,
                 PassPosition at, TaskObserver& observer) {
  at.preparedLine += PreparedLineCount(blocks[at.block]);
  ++at.block;
  try {
    ReadTasks(blocks, dir, at, [&](const TaskInText& task) { observer.Observe(task); });
  } catch (...) {
  }
}

}  // namespace

// A failure on a picture is remembered with the line that names it, for
// telling the user where to look.
void TestDocumentBuilder::AddTasks(std::span<const std::u16string_view> blocks,
                                   const TextSource& source, TaskObserver* observer,
                                   const std::function<Element&()>& newTask,
                                   const std::function<void()>& taskDone) {
  picturePaths_.clear();
  picture_.reset();
  pictureVariants_.Clear();
  PassPosition at;
  try {
    ReadTasks(blocks, source.dir, at, [&](const TaskInText& parsed) {
      if (observer) observer->Observe(parsed);
      block_ = parsed.index;
      try {
        RaisingOnOutOfMemory(
            [&] {
              WriteTaskElement(newTask(), parsed.task);
              taskDone();
            },
            [] { return OutOfMemoryError::BuildingDocument(); });
      } catch (...) {
        if (picture_) {
          picture_->preparedLine = parsed.firstPreparedLine +
                                   PictureLineInBlock(parsed.lines, picture_->variant);
        }
        throw;
      }
    });
  } catch (...) {
    pictureVariants_.Clear();
    if (observer && at.block < blocks.size()) ObserveRest(blocks, source.dir, at, *observer);
    throw;
  }
  // What was kept for later variants has no use after the last task.
  pictureVariants_.Clear();
}

void TestDocumentBuilder::WriteTaskElement(Element& task, const ParsedTask& parsed) {
  if (parsed.kind == TaskKind::NoTask) return;
  if (!parsed.questionPicture.empty()) picturePaths_.push_back(parsed.questionPicture);
  for (const std::string& path : parsed.variantPictures) {
    if (!path.empty()) picturePaths_.push_back(path);
  }
  task.AttributeAdd("Type", TaskTypeName(parsed.kind));
  Element& question = task.NodeNew("QuestionText");
  Element& questionText = question.NodeNew("PlainText");
  // Written before the parsed task is gone, the question needs no copy of
  // its own in the document.
  if (writesEachTask_) {
    questionText.SetValueSource(std::make_unique<xml::WideTextSource>(parsed.question));
  } else {
    questionText.SetValueUnicode(parsed.question);
  }
  if (!parsed.questionPicture.empty()) {
    picture_ = PictureInProgress{block_, std::nullopt, parsed.questionPicture};
    EmbedQuestionPicture(task, parsed.questionPicture);
    picture_.reset();
  }
  switch (parsed.kind) {
    case TaskKind::ChoiceSingle:
    case TaskKind::ChoiceMultiple:
    case TaskKind::ChoiceOrder:
      WriteVariants(task, parsed, pictureVariants_, picture_, block_);
      break;
    case TaskKind::EnterNum:
    case TaskKind::EnterText:
      WriteInputs(task, parsed);
      break;
    case TaskKind::NoTask:
      break;
  }
}

}  // namespace texttoxml::conversion
