#include "richtext/rich_doc_writer.h"

#include <exception>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "platform/code_page.h"
#include "richtext/picture_properties.h"
#include "richtext/richtext_errors.h"
#include "richtext/style_stream.h"

namespace texttoxml::richtext {

namespace {

// Record kinds and the sub-kinds of document data records.
constexpr int kVersionRecord = -8;
constexpr int kDocumentDataRecord = -9;
constexpr int kTextStylesData = 1;
constexpr int kParaStylesData = 2;
constexpr int kListStylesData = 4;
constexpr int kDocPropertiesData = 5;
constexpr int kDocParametersData = 7;
constexpr int kUnitsData = 9;

// How a picture's bytes follow its record.
constexpr int kDataAsHexLine = 0;
constexpr int kNoData = 1;

// The item options that the header carries.
constexpr ItemOptions kHeaderItemOptions = 0x3F;

void AppendLine(RichDocText& out, std::string_view line) {
  out.Append(line);
  out.Append("\r\n");
}

// Numbers separated by one space.
void AppendHeader(RichDocText& out, std::initializer_list<long long> fields) {
  std::string line;
  for (long long field : fields) {
    if (!line.empty()) line.push_back(' ');
    line.append(std::to_string(field));
  }
  AppendLine(out, line);
}

void AppendDataHeader(RichDocText& out, std::size_t lineCount, int subKind) {
  AppendHeader(out, {kDocumentDataRecord, static_cast<long long>(lineCount), 0, 0, 0, 0, subKind});
}

// Raises the style sheet's IgnoreStyleTemplates for one style table and
// puts the old value back, also when writing fails.
class IgnoreStyleTemplatesScope {
 public:
  IgnoreStyleTemplatesScope(RichStyleSheet& sheet, bool ignore)
      : sheet_(sheet), saved_(std::exchange(sheet.ignoreStyleTemplates, ignore)) {}
  ~IgnoreStyleTemplatesScope() { sheet_.ignoreStyleTemplates = saved_; }
  IgnoreStyleTemplatesScope(const IgnoreStyleTemplatesScope&) = delete;
  IgnoreStyleTemplatesScope& operator=(const IgnoreStyleTemplatesScope&) = delete;

 private:
  RichStyleSheet& sheet_;
  bool saved_;
};

class RichDocWriter {
 public:
  RichDocWriter(RichDocument& document, RichDocText& out)
      : document_(document), sheet_(document.Style()), out_(out) {}

  void WriteDocument() {
    if (document_.ItemCount() == 0) return;
    AppendHeader(out_, {kVersionRecord, 1, 3});
    if (sheet_.units != StyleUnits::Pixels) {
      AppendDataHeader(out_, 1, kUnitsData);
      AppendLine(out_, std::to_string(static_cast<int>(sheet_.units)));
    }
    if (Has(RichDocOption::SaveTextStyles)) WriteStyleTable(kTextStylesData, WriteTextStyles);
    if (Has(RichDocOption::SaveParaStyles)) {
      WriteStyleTable(kParaStylesData, WriteParaStyles);
      WriteStyleTable(kListStylesData, WriteListStyles);
    }
    if (Has(RichDocOption::SaveDocProperties)) WriteDocProperties();
    for (int i = 0; i < document_.ItemCount(); ++i) WriteItem(document_.Item(i));
  }

 private:
  using StyleStreamWriter = void (*)(const RichStyleSheet&, std::string&);

  bool Has(RichDocOption option) const { return (document_.options & OptionBit(option)) != 0; }

  void WriteStyleTable(int subKind, StyleStreamWriter writeStyles) {
    const bool useTemplates = Has(RichDocOption::SaveTextStyles) &&
                              Has(RichDocOption::SaveParaStyles) && document_.useStyleTemplates;
    std::string stream;
    {
      IgnoreStyleTemplatesScope scope(sheet_, !useTemplates);
      writeStyles(sheet_, stream);
    }
    AppendDataHeader(out_, 2, subKind);
    AppendLine(out_, sheet_.name);
    out_.AppendHexLine(std::move(stream));
  }

  // The parameters object is never present, so its record announces no
  // lines.
  void WriteDocProperties() {
    if (!document_.docProperties.empty()) {
      AppendDataHeader(out_, document_.docProperties.size(), kDocPropertiesData);
      for (const std::string& line : document_.docProperties) AppendLine(out_, line);
    }
    AppendDataHeader(out_, 0, kDocParametersData);
  }

  void WriteItem(const CustomItemInfo& item) {
    const auto* picture = dynamic_cast<const GraphicItemInfo*>(&item);
    if (picture == nullptr || item.styleNo != kItemPicture) throw UnwritableItemError(item.styleNo);
    WritePicture(*picture);
  }

  void WritePicture(const GraphicItemInfo& item) {
    if (!item.tag.empty()) throw ItemTagError();
    const std::vector<std::string> properties = PicturePropertyLines(item);
    const bool body = Has(RichDocOption::SavePicturesBody);
    const int paragraph = (item.itemOptions & kIoSameAsPrev) ? -1 : item.paraNo;
    AppendHeader(out_, {item.styleNo, static_cast<long long>(properties.size()) + (body ? 3 : 1),
                        paragraph, item.itemOptions & kHeaderItemOptions,
                        body ? kDataAsHexLine : kNoData, 0, static_cast<int>(item.vAlign)});
    AppendLine(out_, item.itemText);
    if (!body) {
      for (const std::string& line : properties) AppendLine(out_, line);
      return;
    }
    SavedGraphic saved;
    try {
      saved = SaveGraphic(item.image.get());
    } catch (const std::exception&) {
      // The record keeps its line count: the same lines, another picture.
      saved = SaveGraphic(sheet_.invalidPicture.get());
    }
    AppendLine(out_, saved.className);
    for (const std::string& line : properties) AppendLine(out_, line);
    out_.AppendHexLine(std::move(saved.bytes));
  }

  // Taken before anything of the picture is written, so that a picture that
  // fails leaves nothing to take back.
  struct SavedGraphic {
    std::string className;
    std::shared_ptr<const std::string> bytes;
  };

  static SavedGraphic SaveGraphic(const pictures::Graphic* graphic) {
    if (graphic == nullptr) throw NoPictureError();
    return {std::string(graphic->ClassName()), graphic->SavedBytes()};
  }

  RichDocument& document_;
  RichStyleSheet& sheet_;
  RichDocText& out_;
};

}  // namespace

bool SaveRichDocToStream(RichDocument& document, std::string& stream) {
  RichDocText text;
  bool complete = true;
  try {
    RichDocWriter(document, text).WriteDocument();
  } catch (const std::exception&) {
    complete = false;
  }
  text.AppendTo(stream);
  return complete;
}

RichDocText WriteRichDocText(RichDocument& document) {
  RichDocText text;
  if (RichDocumentIsEmpty(document)) return text;
  document.options &= ~OptionBit(RichDocOption::SaveBinary);
  RichDocWriter(document, text).WriteDocument();
  return text;
}

std::string RichDocumentToBytes(RichDocument& document) {
  std::string bytes;
  WriteRichDocText(document).AppendTo(bytes);
  return bytes;
}

std::u16string RichDocumentToText(RichDocument& document) {
  return platform::AnsiToUtf16(RichDocumentToBytes(document));
}

}  // namespace texttoxml::richtext
