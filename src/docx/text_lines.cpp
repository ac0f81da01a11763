#include "docx/text_lines.h"

#include <algorithm>

#include "conversion/text.h"

namespace texttoxml::docx {

namespace {

using conversion::IsBlank;

constexpr std::size_t kFirstWordsLength = 40;
constexpr std::u16string_view kDashes = u"\u2012\u2013\u2014";

bool IsBlankText(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), IsBlank);
}

bool IsDashLabel(std::u16string_view label) {
  return label == u"-" ||
         (label.size() == 1 && kDashes.find(label.front()) != std::u16string_view::npos);
}

// A picture line, or "+"/"-" followed by its picture, is what the task
// syntax places; a picture anywhere else in a line of text cannot be
// placed there.
bool IsPlaceablePicture(std::u16string_view line, const std::vector<PlacedPicture>& onLine,
                        std::size_t lineStart) {
  if (onLine.size() != 1) return false;
  const PlacedPicture& picture = onLine.front();
  const std::size_t at = picture.offset - lineStart;
  const std::u16string_view before = TrimView(line.substr(0, at));
  const std::u16string_view after = TrimView(line.substr(at + picture.length));
  return after.empty() && (before.empty() || before == u"+" || before == u"-");
}

class LineCutter {
 public:
  TextLines Cut(const std::vector<Paragraph>& paragraphs);

 private:
  void AddParagraph(const Paragraph& paragraph, std::size_t index);
  void AddFact(FactKind kind, std::size_t line, std::u16string detail) {
    result_.facts.push_back({kind, line, std::move(detail)});
  }
  void PictureFacts(const Paragraph& paragraph, std::size_t prefix, std::size_t firstLine,
                    const std::vector<std::size_t>& lineStarts);

  TextLines result_;
  bool taskStarts_ = true;  // the next line is a task's first
};

TextLines LineCutter::Cut(const std::vector<Paragraph>& paragraphs) {
  for (std::size_t i = 0; i < paragraphs.size(); ++i) AddParagraph(paragraphs[i], i);
  std::stable_sort(result_.facts.begin(), result_.facts.end(),
                   [](const Fact& a, const Fact& b) { return a.line < b.line; });
  return std::move(result_);
}

void LineCutter::AddParagraph(const Paragraph& paragraph, std::size_t index) {
  const std::size_t firstLine = result_.lines.size() + 1;
  std::u16string text;
  const ListLabel& label = paragraph.label;
  if (label.kind != LabelKind::None && !IsBlankText(paragraph.text)) {
    if (taskStarts_) {
      AddFact(FactKind::DroppedNumber, firstLine, label.text);
    } else {
      text = label.text + label.suffix;
      if (label.kind == LabelKind::Other ||
          (label.kind == LabelKind::Bullet && !IsDashLabel(label.text))) {
        AddFact(FactKind::BulletBeforeAnswer, firstLine, label.text);
      }
    }
  }
  const std::size_t prefix = text.size();
  text += paragraph.text;
  const std::u16string firstWords = FirstWords(paragraph.text);
  std::vector<std::size_t> lineStarts{0};
  for (std::size_t at = 0; (at = text.find(u'\n', at)) != std::u16string::npos; ++at)
    lineStarts.push_back(at + 1);
  for (std::size_t i = 0; i < lineStarts.size(); ++i) {
    const std::size_t end = i + 1 < lineStarts.size() ? lineStarts[i + 1] - 1 : text.size();
    result_.lines.push_back(text.substr(lineStarts[i], end - lineStarts[i]));
    result_.origins.push_back({paragraph.number, firstWords});
    result_.paragraphOfLine.push_back(index);
    result_.startsParagraph.push_back(i == 0);
  }
  for (const auto& fact : paragraph.facts) {
    const std::size_t at = prefix + fact.offset;
    const auto line = std::upper_bound(lineStarts.begin(), lineStarts.end(), at) -
                      lineStarts.begin();
    AddFact(fact.kind, firstLine + static_cast<std::size_t>(line) - 1, fact.detail);
  }
  PictureFacts(paragraph, prefix, firstLine, lineStarts);
  taskStarts_ = IsBlankText(result_.lines.back());
}

void LineCutter::PictureFacts(const Paragraph& paragraph, std::size_t prefix, std::size_t firstLine,
                              const std::vector<std::size_t>& lineStarts) {
  for (std::size_t i = 0; i < lineStarts.size(); ++i) {
    const std::size_t lineEnd = i + 1 < lineStarts.size() ? lineStarts[i + 1]
                                                          : std::u16string::npos;
    std::vector<PlacedPicture> onLine;
    for (const auto& picture : paragraph.pictures) {
      const std::size_t at = prefix + picture.offset;
      if (at >= lineStarts[i] && at < lineEnd) onLine.push_back({at, picture.length, picture.name});
    }
    const std::u16string& line = result_.lines[firstLine - 1 + i];
    if (onLine.empty() || IsPlaceablePicture(line, onLine, lineStarts[i])) continue;
    for (const auto& picture : onLine)
      AddFact(FactKind::PictureInSentence, firstLine + i, picture.name);
  }
}

}  // namespace

std::u16string_view TrimView(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

TextLines CutIntoLines(const std::vector<Paragraph>& paragraphs) {
  return LineCutter().Cut(paragraphs);
}

std::u16string FirstWords(std::u16string_view text) {
  std::u16string words;
  for (char16_t c : TrimView(text)) words += c == u'\n' || c == u'\t' ? u' ' : c;
  if (words.size() <= kFirstWordsLength) return words;
  std::size_t cut = words.rfind(u' ', kFirstWordsLength);
  if (cut == std::u16string::npos || cut == 0) cut = kFirstWordsLength;
  // Never between the halves of a surrogate pair.
  if (cut > 0 && words[cut - 1] >= 0xD800 && words[cut - 1] <= 0xDBFF) --cut;
  words.resize(cut);
  while (!words.empty() && words.back() == u' ') words.pop_back();
  return words;
}

bool StartsWithMarker(std::u16string_view line) {
  const std::u16string_view trimmed = TrimView(line);
  if (trimmed.empty()) return false;
  const char16_t first = trimmed.front();
  return first == u'+' || first == u'-' || first == u'=' || (first >= u'0' && first <= u'9') ||
         kDashes.find(first) != std::u16string_view::npos;
}

}  // namespace texttoxml::docx
