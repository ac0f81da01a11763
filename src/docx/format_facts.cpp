#include "docx/format_facts.h"

#include <algorithm>

namespace texttoxml::docx {

namespace {

bool IsBlankLine(std::u16string_view line) {
  return TrimView(line).empty();
}

std::u16string TrimText(std::u16string_view line) {
  return std::u16string(TrimView(line));
}

bool IsEmphasised(const Paragraph& paragraph) {
  return paragraph.emphasisedRuns > 0 && paragraph.plainRuns == 0;
}

void NoEmptyParagraphFacts(const std::vector<Paragraph>& paragraphs, const TextLines& lines,
                           std::vector<Fact>& facts) {
  for (std::size_t i = 1; i < lines.lines.size(); ++i) {
    if (!lines.startsParagraph[i] || IsBlankLine(lines.lines[i])) continue;
    if (!StartsWithMarker(lines.lines[i - 1]) || StartsWithMarker(lines.lines[i])) continue;
    const Paragraph& previous = paragraphs[lines.paragraphOfLine[i - 1]];
    const Paragraph& current = paragraphs[lines.paragraphOfLine[i]];
    if (previous.spaceAfter || current.spaceBefore) {
      facts.push_back({FactKind::NoEmptyParagraph, i + 1, TrimText(lines.lines[i])});
    }
  }
}

// The task of lines [first, end): its variants are the paragraphs that
// start after its first line.
void CorrectByFormatFacts(const std::vector<Paragraph>& paragraphs, const TextLines& lines,
                          std::size_t first, std::size_t end, std::vector<Fact>& facts) {
  std::vector<std::size_t> variants;
  for (std::size_t i = first; i < end; ++i) {
    if (TrimText(lines.lines[i]).starts_with(u'+')) return;
    if (i > first && lines.startsParagraph[i]) variants.push_back(i);
  }
  const auto emphasised = std::count_if(variants.begin(), variants.end(), [&](std::size_t i) {
    return IsEmphasised(paragraphs[lines.paragraphOfLine[i]]);
  });
  if (emphasised == 0 || static_cast<std::size_t>(emphasised) == variants.size()) return;
  for (std::size_t i : variants) {
    if (IsEmphasised(paragraphs[lines.paragraphOfLine[i]])) {
      facts.push_back({FactKind::CorrectByFormat, i + 1, TrimText(lines.lines[i])});
    }
  }
}

}  // namespace

void AddFormatFacts(const std::vector<Paragraph>& paragraphs, TextLines& lines) {
  std::vector<Fact> facts;
  NoEmptyParagraphFacts(paragraphs, lines, facts);
  for (std::size_t first = 0; first < lines.lines.size();) {
    if (IsBlankLine(lines.lines[first])) {
      ++first;
      continue;
    }
    std::size_t end = first;
    while (end < lines.lines.size() && !IsBlankLine(lines.lines[end])) ++end;
    CorrectByFormatFacts(paragraphs, lines, first, end, facts);
    first = end;
  }
  lines.facts.insert(lines.facts.end(), facts.begin(), facts.end());
  std::stable_sort(lines.facts.begin(), lines.facts.end(),
                   [](const Fact& a, const Fact& b) { return a.line < b.line; });
}

}  // namespace texttoxml::docx
