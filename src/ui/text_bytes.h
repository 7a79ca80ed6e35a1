#pragma once
// The one table through which bytes become characters on screen and back: Windows-1252, with
// the five bytes it leaves unassigned shown as the control characters of the same value. Every
// byte is one character and comes back as the same byte.

#include <QChar>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace dlg::ui {

QChar ByteToChar(unsigned char byte);
// The byte of a character, or nothing for a character outside the table.
std::optional<unsigned char> CharToByte(QChar c);
inline bool InTable(QChar c) { return CharToByte(c).has_value(); }

QString BytesToText(std::string_view bytes);
// A character outside the table becomes "?"; the input boxes never let one in.
std::string TextToBytes(const QString& text);

// Paths, captions and message texts: decoded as UTF-8 when they are valid UTF-8 (file names on
// Linux), through the table otherwise.
QString DisplayText(std::string_view bytes);

}  // namespace dlg::ui
