// The main window's own texts. They are Russian and shown exactly as written
// here; the sample tab's lines double as the user's documentation of the
// task syntax, so they must stay convertible.
#pragma once

#include <array>
#include <string_view>

namespace texttoxml::app {

inline constexpr std::u16string_view kAppTitle = u"TextToXML_ExamoraPro";

inline constexpr std::u16string_view kConversionTabName = u"Преобразование";
inline constexpr std::u16string_view kSampleTabName = u"Образец";
inline constexpr std::u16string_view kDescriptionTabName = u"Описание";

// The label above the memo: the bare caption at start, then the caption, a
// space and the full path of the file opened last.
inline constexpr std::u16string_view kOpenedFileCaption = u"Открыт файл:";

inline constexpr std::u16string_view kSourceTextCaption = u"Исходный текст:";
inline constexpr std::u16string_view kOpenButtonCaption = u"Открыть TXT";
inline constexpr std::u16string_view kSaveButtonCaption = u"Сохранить в XML";
inline constexpr std::u16string_view kVersionCaption = u"v.2";

// The link at the bottom and the banner open the user guide; the link shows
// its name after a plain lead-in.
inline constexpr std::u16string_view kGuideLeadIn = u"Справка:";
inline constexpr std::u16string_view kGuideName = u"Руководство пользователя";

// The open dialog's filter entries (both for "*.txt"; the second one reads
// the file as UTF-8), the save dialog's one entry and the extensions the
// dialogs add to a name typed without one.
inline constexpr std::u16string_view kAnsiFilterName = u"Текстовый файл (*.txt)";
inline constexpr std::u16string_view kUtf8FilterName = u"Текстовый файл UTF8 (*.txt)";
inline constexpr std::u16string_view kXmlFilterName = u"XML-файл";
inline constexpr std::u16string_view kXmlPattern = u"*.xml";
inline constexpr std::u16string_view kTextExtension = u"txt";
inline constexpr std::u16string_view kXmlExtension = u"xml";

// The questions asked before the memo's unsaved edits are thrown away, by
// opening another file or by closing the window.
inline constexpr std::u16string_view kDiscardOnOpenQuestion =
    u"Исходный текст изменён и не сохранён в XML. Открыть другой файл, отбросив изменения?";
inline constexpr std::u16string_view kDiscardOnCloseQuestion =
    u"Исходный текст изменён и не сохранён в XML. Закрыть программу, отбросив изменения?";

// A picture that fails the save is named before the error's own text, with
// the memo line that names it: "Строка 6, рисунок «a.png»: ...".
inline constexpr std::u16string_view kPictureLineLeadIn = u"Строка";
inline constexpr std::u16string_view kPictureLeadIn = u"рисунок";

// One task of every kind, separated by empty lines.
extern const std::array<std::u16string_view, 40> kSampleLines;

// What the utility does and how a task file is written. Several lines end
// with a space: they are the pieces of longer sentences and stay as they are.
extern const std::array<std::u16string_view, 19> kDescriptionLines;

}  // namespace texttoxml::app
