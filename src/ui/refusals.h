#pragma once
// A key or a paste that a box cannot take is refused aloud: a beep, and a short tooltip at the
// caret that says why, so nothing typed vanishes without a sign.

#include <QString>

class QWidget;

namespace dlg::ui {

inline constexpr char16_t kEnterRefused[] = u"Enter cannot stand in a field";

// Why one character (a surrogate pair counts as one) cannot stand in a field.
QString RefusalOf(const QString& character);
// What a paste or a key left out, in the order met: a single character's reason, or how many
// were left out and each one's reason.
QString LeftOutText(const QString& leftOut);
// Beeps and shows `why` at the box's caret.
void SayRefused(QWidget* box, const QString& why);

}  // namespace dlg::ui
