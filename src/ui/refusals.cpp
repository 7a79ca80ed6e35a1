#include "ui/refusals.h"

#include <QApplication>
#include <QList>
#include <QStringList>
#include <QToolTip>
#include <QWidget>

namespace dlg::ui {

namespace {

// The characters of a text, a surrogate pair kept together.
QStringList Characters(const QString& text) {
  QStringList out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    out << text.mid(i, n);
    i += n - 1;
  }
  return out;
}

// A few reasons say enough; a paste of a foreign alphabet would fill the screen.
constexpr qsizetype kMostReasons = 5;

}  // namespace

QString RefusalOf(const QString& character) {
  if (character == u"}") return QStringLiteral("} cannot stand in a field");
  return character + QStringLiteral(" is not in the Windows-1252 character set of dialogue files");
}

QString LeftOutText(const QString& leftOut) {
  const QStringList chars = Characters(leftOut);
  if (chars.size() == 1) return RefusalOf(chars.front());
  QStringList lines{QString::number(chars.size()) + QStringLiteral(" characters left out:")};
  QStringList seen;
  for (const QString& c : chars) {
    if (seen.contains(c)) continue;
    seen << c;
    if (seen.size() > kMostReasons) {
      lines << QStringLiteral("...");
      break;
    }
    lines << RefusalOf(c);
  }
  return lines.join(u'\n');
}

void SayRefused(QWidget* box, const QString& why) {
  QApplication::beep();
  const QRect caret = box->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  QToolTip::showText(box->mapToGlobal(caret.bottomLeft()), why, box);
}

}  // namespace dlg::ui
