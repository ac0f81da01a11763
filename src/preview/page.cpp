#include "preview/page.h"

#include <algorithm>
#include <iterator>

#include "conversion/message_text.h"
#include "conversion/question_picture.h"
#include "conversion/stored_picture.h"
#include "pictures/png_bytes.h"
#include "platform/spooled_output.h"
#include "platform/stream.h"
#include "platform/translate.h"
#include "platform/utf.h"
#include "preview/html_text.h"

namespace texttoxml::preview {

// Read with the conversion's own text helpers, as the conversion reads.
using namespace conversion;
using check::Diagnosis;
using check::Finding;
using check::Severity;
using check::TaskKindLabel;
using check::TaskReport;
using platform::Format;
using platform::Tr;

namespace {

// The mark of what the XML leaves out: an answer past the tenth, a block
// that is no task.
std::string NotWritten() {
  return "<span class=\"tag\">" + std::string(Tr("not written")) + "</span>";
}

// The page may load pictures from data: addresses and use its own style
// sheet; nothing else, so that it never reaches out of the file.
constexpr std::string_view kHead =
    "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
    "img-src data:; style-src 'unsafe-inline'\">\n"
    "<meta name=\"viewport\" content=\"width=device-width\">\n";

constexpr std::string_view kStyle = R"(<style>
body { font: 15px/1.45 "DejaVu Sans", Arial, sans-serif; color: #1d2430; background: #eef1f5;
  margin: 0; padding: 24px 32px; }
header h1 { font-size: 22px; margin: 0 0 4px; }
.summary { color: #4a5566; margin: 0 0 16px; }
.task { background: #fff; border: 1px solid #cfd6e0; border-radius: 6px; padding: 14px 18px;
  margin: 0 0 14px; }
.task h2 { font-size: 14px; font-weight: normal; color: #4a5566; margin: 0 0 8px;
  display: flex; gap: 10px; align-items: baseline; }
.task h2 .number { font-weight: bold; color: #1d2430; font-size: 16px; }
.task h2 .kind { background: #e3ebf7; color: #244a80; border-radius: 10px; padding: 1px 9px; }
.no-task h2 .kind { background: #f6e1e1; color: #8a2323; }
.task h2 .where { margin-left: auto; font-size: 12px; }
.question { white-space: pre-wrap; font-size: 16px; margin: 0 0 10px; }
.question-picture { margin: 0 0 10px; }
img { max-width: 100%; border: 1px solid #d8dde5; background: #fff; vertical-align: middle; }
.variants { list-style: none; margin: 0; padding: 0; }
.variants li { display: flex; align-items: center; gap: 10px; padding: 3px 0; }
.mark { flex: none; width: 18px; height: 18px; border: 2px solid #8d99aa; border-radius: 4px;
  display: inline-flex; align-items: center; justify-content: center; font-size: 13px;
  color: #fff; }
.single-choice .mark { border-radius: 50%; }
.correct .mark { background: #2f8a4c; border-color: #2f8a4c; }
.correct .text { font-weight: bold; }
.position { flex: none; min-width: 22px; height: 22px; border-radius: 11px; background: #244a80;
  color: #fff; font-size: 13px; display: inline-flex; align-items: center; justify-content: center; }
.position.invalid { background: #b3261e; }
.dropped { color: #8d99aa; }
.dropped .text, .dropped .field { text-decoration: line-through; }
.tag { font-size: 11px; color: #b3261e; }
.inputs { display: flex; flex-direction: column; gap: 6px; }
.input { display: flex; align-items: center; gap: 8px; }
.caption { color: #4a5566; }
.field { min-width: 160px; border: 1px solid #8d99aa; border-radius: 3px; padding: 2px 8px;
  background: #fbfcfd; }
.picture-name { font-size: 12px; color: #6b7686; }
.placeholder { display: inline-block; border: 1px dashed #b3261e; color: #b3261e; padding: 6px 10px;
  font-size: 13px; }
pre.block { background: #f6f7f9; padding: 8px; margin: 0 0 8px; white-space: pre-wrap; }
.findings { list-style: none; margin: 10px 0 0; padding: 0; font-size: 13px; }
.findings li { padding: 4px 8px; border-left: 4px solid; margin: 3px 0; }
.findings .warning { border-color: #d97a00; background: #fff4e0; }
.findings .note { border-color: #5b8fd4; background: #eaf2fd; }
.findings .where { color: #4a5566; margin-right: 6px; }
.findings .severity { font-weight: bold; margin-right: 4px; }
</style>
)";

std::string_view KindClass(TaskKind kind) {
  switch (kind) {
    case TaskKind::ChoiceSingle:
      return "single-choice";
    case TaskKind::ChoiceMultiple:
      return "multiple-choice";
    case TaskKind::ChoiceOrder:
      return "ordering";
    case TaskKind::EnterNum:
      return "number-entry";
    case TaskKind::EnterText:
      return "text-entry";
    case TaskKind::NoTask:
      break;
  }
  return "no-task";
}

// The kinds of stored picture a browser shows.
std::string_view MimeTypeOfClass(std::string_view className) {
  if (className == "TPngImage") return "image/png";
  if (className == "TJPEGImage") return "image/jpeg";
  if (className == "TGIFImage") return "image/gif";
  return {};
}

// A question picture is any file, embedded as it is; its signature tells
// whether a browser can show it.
std::string_view MimeTypeOfBytes(std::string_view bytes) {
  if (bytes.starts_with(pictures::kPngSignature)) return "image/png";
  if (bytes.starts_with("\xFF\xD8\xFF")) return "image/jpeg";
  if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return "image/gif";
  if (bytes.starts_with("BM")) return "image/bmp";
  return {};
}

// Pieces of this size are handed on: a task of a million answers, or a
// question of a million lines, is never held whole as HTML.
constexpr std::size_t kHandOnSize = 1 << 16;

}  // namespace

class PreviewPage::Writer {
 public:
  explicit Writer(std::vector<Finding> documentFindings)
      : documentFindings_(std::move(documentFindings)) {}

  // Each task is handed on once written, so that the page is never held
  // whole: a page of many tasks is several times the text. The page's head
  // tells of all tasks, so their part waits in the temporary file.
  void Add(const TaskReport& report) {
    NotePictures(report.task);
    taskLines_.push_back({report.firstLine, report.lastLine});
    WriteTask(taskLines_.size(), report);
    HandOn(tasks_);
  }

  const std::vector<std::string>& ShownPictures() const { return shownPictures_; }

  void Write(const Diagnosis& diagnosis, std::u16string_view title,
             std::optional<std::u16string_view> readText, platform::OutputStream& out) {
    out_ += kHead;
    out_ += "<title>";
    AppendHtml(out_, Format(Tr("Preview: {1}"), {platform::Utf16ToUtf8(title)}));
    out_ += "</title>\n";
    out_ += kStyle;
    out_ += "</head>\n<body>\n<header>\n<h1>";
    AppendHtml(out_, title);
    out_ += "</h1>\n<p class=\"summary\">";
    AppendHtml(out_, SummaryText(diagnosis));
    out_ += "</p>\n</header>\n";
    if (readText) WriteReadText(*readText, out);
    WriteFindings(TextFindings(diagnosis));
    HandOn(out);
    tasks_.HandTo(out);
    out_ += "</body>\n</html>\n";
    HandOn(out);
  }

 private:
  using Findings = std::vector<const Finding*>;
  struct TaskLines {
    std::size_t first;
    std::size_t last;
  };

  void HandOn(platform::OutputStream& to) {
    platform::WriteAll(to, out_.data(), out_.size());
    out_.clear();
  }

  void HandOnWhenFull() {
    if (out_.size() >= kHandOnSize) HandOn(tasks_);
  }

  // Appends a text that may be long, handing it on to `to` in pieces.
  void AppendLongText(std::u16string_view text, platform::OutputStream& to) {
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t end = platform::PieceEnd(text, at, kHandOnSize);
      AppendHtml(out_, text.substr(at, end - at));
      if (out_.size() >= kHandOnSize) HandOn(to);
      at = end;
    }
  }

  void NotePictures(const ParsedTask& task) {
    if (!task.questionPicture.empty()) shownPictures_.push_back(task.questionPicture);
    for (const std::string& path : task.variantPictures) {
      if (!path.empty()) shownPictures_.push_back(path);
    }
  }

  void WriteReadText(std::u16string_view text, platform::OutputStream& to) {
    out_ += "<details class=\"read\"><summary>" +
            std::string(Tr("The task text read from the document")) +
            "</summary><pre class=\"block\">";
    AppendLongText(text, to);
    out_ += "</pre></details>\n";
  }

  // The findings on the lines of a task: the examiner's, then those of the
  // Word document on a line, as a check lists them.
  Findings TaskFindings(const TaskReport& report) const {
    const auto& all = documentFindings_;
    auto begin = std::lower_bound(all.begin(), all.end(), report.firstLine,
                                  [](const Finding& f, std::size_t line) { return f.line < line; });
    Findings found = report.findings;
    for (auto it = begin; it != all.end() && it->line <= report.lastLine; ++it) {
      found.push_back(&*it);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Finding* a, const Finding* b) { return a->line < b->line; });
    return found;
  }

  // The findings on no task's lines: about the text as a whole. Tasks are
  // in line order and do not overlap.
  Findings TextFindings(const Diagnosis& diagnosis) const {
    const auto& tasks = taskLines_;
    Findings found;
    for (const Finding& finding : diagnosis.findings) {
      auto after =
          std::upper_bound(tasks.begin(), tasks.end(), finding.line,
                           [](std::size_t line, const TaskLines& r) { return line < r.first; });
      if (after == tasks.begin() || std::prev(after)->last < finding.line) {
        found.push_back(&finding);
      }
    }
    return found;
  }

  void WriteFindings(const Findings& findings) {
    if (findings.empty()) return;
    out_ += "<ul class=\"findings\">\n";
    for (const Finding* finding : findings) {
      out_ += "<li class=\"";
      out_ += SeverityName(finding->severity);
      out_ += "\"><span class=\"where\">" +
              Format(Tr("line {1}"), {std::to_string(finding->line)}) +
              "</span><span class=\"severity\">";
      out_ += Tr(SeverityName(finding->severity));
      out_ += ":</span>";
      AppendHtml(out_, finding->message);
      out_ += "</li>\n";
    }
    out_ += "</ul>\n";
  }

  // `number` counts the tasks from 1.
  void WriteTask(std::size_t number, const TaskReport& report) {
    const ParsedTask& task = report.task;
    out_ += "<article class=\"task ";
    out_ += KindClass(task.kind);
    out_ += "\" id=\"task-" + std::to_string(number) + "\">\n<h2><span class=\"number\">" +
            std::to_string(number) + "</span><span class=\"kind\">";
    out_ += Tr(TaskKindLabel(task.kind));
    out_ += "</span><span class=\"where\">" + LineRange(report) + "</span></h2>\n";
    if (task.kind == TaskKind::NoTask) {
      out_ += "<pre class=\"block\">";
      AppendLongText(report.block, tasks_);
      out_ += "</pre>\n";
    } else {
      WriteQuestion(task);
      WriteAnswers(task);
    }
    WriteFindings(TaskFindings(report));
    out_ += "</article>\n";
  }

  static std::string LineRange(const TaskReport& report) {
    const std::string first = std::to_string(report.firstLine);
    if (report.firstLine == report.lastLine) return Format(Tr("line {1}"), {first});
    return Format(Tr("lines {1}"), {first + "\u2013" + std::to_string(report.lastLine)});
  }

  void WriteQuestion(const ParsedTask& task) {
    out_ += "<p class=\"question\">";
    AppendLongText(task.question, tasks_);
    out_ += "</p>\n";
    if (task.questionPicture.empty()) return;
    out_ += "<div class=\"question-picture\">";
    const std::u16string name = FileNameOf(task.questionPicture);
    try {
      const std::string bytes = ReadQuestionPicture(task.questionPicture);
      if (bytes.empty()) {
        WritePlaceholder(name, Tr("the file is empty: no picture is embedded"));
      } else {
        WritePicture(MimeTypeOfBytes(bytes), bytes, name);
      }
    } catch (const std::exception& error) {
      WritePlaceholder(name, error.what());
    }
    out_ += "</div>\n";
  }

  void WritePicture(std::string_view mimeType, std::string_view bytes, std::u16string_view name) {
    if (mimeType.empty()) {
      WritePlaceholder(name, Tr("this kind of picture is embedded but cannot be shown here"));
      return;
    }
    out_ += "<img alt=\"";
    AppendHtml(out_, name);
    out_ += "\" src=\"" + DataAddress(mimeType, bytes) + "\">";
  }

  void WritePlaceholder(std::u16string_view name, std::string_view why) {
    out_ += "<span class=\"placeholder\">";
    AppendHtml(out_, Quoted(name) + ": ");
    AppendHtml(out_, PrintableText(TextOfBytes(why), 200));
    out_ += "</span>";
  }

  void WriteAnswers(const ParsedTask& task) {
    if (task.kind == TaskKind::EnterNum || task.kind == TaskKind::EnterText) {
      WriteInputs(task);
    } else {
      WriteVariants(task);
    }
  }

  void WriteVariants(const ParsedTask& task) {
    const bool ordering = task.kind == TaskKind::ChoiceOrder;
    out_ += ordering ? "<ol class=\"variants\">\n" : "<ul class=\"variants\">\n";
    for (std::size_t i = 0; i < task.answerItems.size(); ++i) {
      const AnswerItem& item = task.answerItems[i];
      const bool written = i < kMaxWrittenVariants;
      out_ += "<li";
      if (!written) {
        out_ += " class=\"dropped\"";
      } else if (!ordering && item.mark == 1) {
        out_ += " class=\"correct\"";
      }
      out_ += ">";
      if (ordering) {
        out_ += item.mark < 1 ? "<span class=\"position invalid\">" : "<span class=\"position\">";
        out_ += std::to_string(item.mark) + "</span>";
      } else {
        out_ += item.mark == 1 ? "<span class=\"mark\">\u2713</span>"
                               : "<span class=\"mark\"></span>";
      }
      out_ += "<span class=\"text\">";
      WriteVariantContent(item, task.PictureOf(i));
      out_ += "</span>";
      if (!written) out_ += NotWritten();
      out_ += "</li>\n";
      HandOnWhenFull();
    }
    out_ += ordering ? "</ol>\n" : "</ul>\n";
  }

  // `path` is empty for an item past the tenth, whose picture is not written.
  void WriteVariantContent(const AnswerItem& item, const std::string& path) {
    auto name = BracketedName(item.text);
    if (path.empty() || !name) {
      AppendHtml(out_, item.text);
      return;
    }
    try {
      const StoredPicture picture = pictures_.Load(path);
      if (picture.unwritable.empty()) {
        WritePicture(MimeTypeOfClass(picture.className), picture.bytes, *name);
      } else {
        WritePlaceholder(*name, picture.unwritable + ": " + std::string(Tr(kPlaceholderStored)));
      }
    } catch (const std::exception& error) {
      WritePlaceholder(*name, error.what());
    }
    out_ += " <span class=\"picture-name\">";
    AppendHtml(out_, item.text);
    out_ += "</span>";
  }

  void WriteInputs(const ParsedTask& task) {
    out_ += "<div class=\"inputs\">\n";
    for (std::size_t i = 0; i < task.answerItems.size(); ++i) {
      const AnswerItem& item = task.answerItems[i];
      out_ += i < kMaxWrittenVariants ? "<div class=\"input\">" : "<div class=\"input dropped\">";
      if (const auto caption = item.Caption()) {
        out_ += "<span class=\"caption\">";
        AppendHtml(out_, *caption);
        out_ += "</span>";
      }
      out_ += "<span class=\"field\">";
      AppendHtml(out_, item.Answer());
      out_ += "</span>";
      if (i >= kMaxWrittenVariants) out_ += NotWritten();
      out_ += "</div>\n";
      HandOnWhenFull();
    }
    out_ += "</div>\n";
  }

  std::vector<Finding> documentFindings_;
  std::vector<TaskLines> taskLines_;  // the file lines of each task added
  std::vector<std::string> shownPictures_;
  StoredPictures pictures_;        // each variant picture file loaded once per page
  platform::SpooledOutput tasks_;  // the tasks' part of the page
  std::string out_;                // what is not yet handed on
};

PreviewPage::PreviewPage(std::vector<Finding> documentFindings)
    : writer_(std::make_unique<Writer>(std::move(documentFindings))) {}

PreviewPage::~PreviewPage() = default;

void PreviewPage::Add(const TaskReport& report) {
  writer_->Add(report);
}

const std::vector<std::string>& PreviewPage::ShownPictures() const {
  return writer_->ShownPictures();
}

void PreviewPage::WriteTo(const Diagnosis& diagnosis, std::u16string_view title,
                          std::optional<std::u16string_view> readText,
                          platform::OutputStream& out) {
  writer_->Write(diagnosis, title, readText, out);
}

}  // namespace texttoxml::preview
