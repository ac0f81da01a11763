// Text between the window logic (UTF-16 in std::u16string, UTF-8 paths, CR LF
// line breaks) and Qt (QString, one paragraph per line).
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace texttoxml::app::gui {

QString ToQString(std::u16string_view text);
std::u16string ToU16String(const QString& text);

// File names as the file system spells them.
QString PathToQString(const std::string& path);
std::string PathFromQString(const QString& path);

// The memo's text for a Qt text control: CR LF becomes LF.
QString MemoTextToWidget(std::u16string_view text);

// A Qt text control's raw text as the memo's text: each paragraph break
// becomes CR LF, and nothing after a U+0000 is kept. The raw text is used
// because the plain-text form turns no-break spaces into spaces, which would
// change the task text.
std::u16string MemoTextFromWidget(const QString& rawText);

}  // namespace texttoxml::app::gui
