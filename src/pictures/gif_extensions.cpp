#include "pictures/gif_extensions.h"

#include <algorithm>
#include <string_view>

#include "pictures/little_endian.h"
#include "pictures/picture_errors.h"
#include "platform/code_page.h"

namespace texttoxml::pictures {

namespace {

constexpr char kIntroducer = '!';
constexpr std::uint8_t kApplicationBlockSize = 11;
// Some old exporters wrote the application block size as 10.
constexpr std::uint8_t kShortApplicationBlockSize = 10;
constexpr std::uint8_t kLoopSubBlock = 1;
constexpr std::uint8_t kBufferSubBlock = 2;

void AppendHead(std::uint8_t label, std::string& out) {
  out.push_back(kIntroducer);
  out.push_back(static_cast<char>(label));
}

template <std::size_t N>
void AppendBytes(const std::array<std::uint8_t, N>& bytes, std::string& out) {
  out.append(reinterpret_cast<const char*>(bytes.data()), N);
}

// A line ends at CR LF, a lone CR or a lone LF; a break at the very end
// does not start another line.
GifTextLines SplitLines(std::u16string_view text) {
  GifTextLines lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

// Text sub-blocks: each block counts up to its first zero byte.
GifTextLines ReadTextLines(GifReader& reader) {
  std::string bytes;
  for (std::string_view block : reader.ReadSubBlocks()) {
    bytes += block.substr(0, block.find('\0'));
  }
  return SplitLines(platform::AnsiToUtf16(bytes));
}

void WriteTextLines(const GifTextLines& lines, std::string& out) {
  std::u16string text;
  for (const std::u16string& line : lines) {
    text += line;
    text += u"\r\n";
  }
  AppendGifSubBlocks(platform::Utf16ToAnsi(text), out);
}

std::unique_ptr<GifExtension> ReadGraphicControl(GifReader& reader) {
  GifGraphicControlExtension::Bytes bytes{};
  std::string_view taken = reader.Take(bytes.size());
  if (taken.size() < bytes.size()) reader.Warn("Short graphic control extension");
  std::copy_n(taken.begin(), std::min(taken.size(), bytes.size()), bytes.begin());
  return std::make_unique<GifGraphicControlExtension>(bytes);
}

std::unique_ptr<GifExtension> ReadPlainText(GifReader& reader) {
  GifTextExtension::Block block;
  reader.ReadExact(block.data(), block.size());
  return std::make_unique<GifTextExtension>(block, ReadTextLines(reader));
}

bool IsLoopIdentifier(const GifApplicationExtension::Identifier& identifier) {
  std::string_view text(reinterpret_cast<const char*>(identifier.data()), identifier.size());
  return text == "NETSCAPE2.0" || text == "ANIMEXTS1.0";
}

std::unique_ptr<GifExtension> ReadLoop(const GifApplicationExtension::Identifier& identifier,
                                       GifReader& reader) {
  std::uint16_t loops = 0;
  std::uint32_t bufferSize = 0;
  for (std::string_view block : reader.ReadSubBlocks()) {
    const auto kind = static_cast<std::uint8_t>(block[0]) & 7;
    if (kind == kLoopSubBlock) {
      if (block.size() < 3) throw GifInvalidDataError();
      loops = ReadU16Le(block, 1);
    } else if (kind == kBufferSubBlock) {
      if (block.size() < 5) throw GifInvalidDataError();
      bufferSize = ReadU32Le(block, 1);
    }
  }
  return std::make_unique<GifAppExtNSLoop>(identifier, loops, bufferSize);
}

std::unique_ptr<GifExtension> ReadUnknownApplication(
    const GifApplicationExtension::Identifier& identifier, GifReader& reader) {
  std::vector<std::string> subBlocks;
  for (std::string_view block : reader.ReadSubBlocks()) subBlocks.emplace_back(block);
  return std::make_unique<GifUnknownAppExtension>(identifier, std::move(subBlocks));
}

std::unique_ptr<GifExtension> ReadApplication(GifReader& reader) {
  int blockSize = reader.Next();
  if (blockSize < 0) {
    reader.Warn(kGifPrematureEnd);
    return nullptr;
  }
  // A longer block would hold data that no reader here understands.
  if (blockSize != kApplicationBlockSize && blockSize != kShortApplicationBlockSize) {
    throw GifApplicationBlockSizeError();
  }
  GifApplicationExtension::Identifier identifier;
  std::string_view taken = reader.Take(identifier.size());
  if (taken.size() < identifier.size()) {
    reader.Warn(kGifPrematureEnd);
    return nullptr;
  }
  std::copy_n(taken.begin(), identifier.size(), identifier.begin());
  if (blockSize == kShortApplicationBlockSize) {
    // The 11th identifier byte is the first sub-block's size: read it again.
    reader.Seek(reader.Position() - 1);
    return ReadUnknownApplication(identifier, reader);
  }
  if (IsLoopIdentifier(identifier)) return ReadLoop(identifier, reader);
  return ReadUnknownApplication(identifier, reader);
}

}  // namespace

std::unique_ptr<GifExtension> ReadGifExtension(GifReader& reader) {
  switch (reader.Next()) {
    case -1:
      reader.Warn(kGifPrematureEnd);
      return nullptr;
    case GifGraphicControlExtension::kLabel:
      return ReadGraphicControl(reader);
    case GifCommentExtension::kLabel:
      return std::make_unique<GifCommentExtension>(ReadTextLines(reader));
    case GifTextExtension::kLabel:
      return ReadPlainText(reader);
    case GifApplicationExtension::kLabel:
      return ReadApplication(reader);
    default:
      throw GifUnknownExtensionError();
  }
}

std::unique_ptr<GifExtension> CopyGifExtension(const GifExtension& extension) {
  std::string stored;
  extension.Write(stored);
  GifReader reader(stored, nullptr);
  reader.Next();  // the introducer
  return ReadGifExtension(reader);
}

std::uint16_t GifGraphicControlExtension::Delay() const {
  return static_cast<std::uint16_t>(bytes_[2] | bytes_[3] << 8);
}

void GifGraphicControlExtension::Write(std::string& out) const {
  AppendHead(kLabel, out);
  AppendBytes(bytes_, out);
}

void GifCommentExtension::Write(std::string& out) const {
  AppendHead(kLabel, out);
  WriteTextLines(lines_, out);
}

void GifTextExtension::Write(std::string& out) const {
  AppendHead(kLabel, out);
  AppendBytes(block_, out);
  WriteTextLines(lines_, out);
}

std::string GifApplicationExtension::Name() const {
  return std::string(identifier_.begin(), identifier_.begin() + 8);
}

std::string GifApplicationExtension::Authentication() const {
  return std::string(identifier_.begin() + 8, identifier_.end());
}

void GifApplicationExtension::Write(std::string& out) const {
  AppendHead(kLabel, out);
  out.push_back(static_cast<char>(kApplicationBlockSize));
  AppendBytes(identifier_, out);
  WriteData(out);
  out.push_back('\0');
}

void GifAppExtNSLoop::WriteData(std::string& out) const {
  out.push_back(3);
  out.push_back(static_cast<char>(kLoopSubBlock));
  AppendU16Le(out, loops_);
  if (bufferSize_ != 0) {
    out.push_back(5);
    out.push_back(static_cast<char>(kBufferSubBlock));
    AppendU32Le(out, bufferSize_);
  }
}

GifUnknownAppExtension::GifUnknownAppExtension(const Identifier& identifier,
                                               std::vector<std::string> subBlocks)
    : GifApplicationExtension(identifier), subBlocks_(std::move(subBlocks)) {
  for (const std::string& block : subBlocks_) {
    if (block.empty() || block.size() > 255) throw GifInvalidDataError();
  }
}

void GifUnknownAppExtension::WriteData(std::string& out) const {
  for (const std::string& block : subBlocks_) {
    out.push_back(static_cast<char>(block.size()));
    out += block;
  }
}

}  // namespace texttoxml::pictures
