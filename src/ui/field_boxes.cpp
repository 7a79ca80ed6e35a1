#include "ui/field_boxes.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <limits>

#include "ui/cp1252.h"

namespace dlg::ui {

namespace {

// Characters per paragraph of a long text: a few lines' worth is laid out at once.
constexpr qsizetype kPiece = 4096;

bool IsBreak(QChar c) {
  return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

}  // namespace

CleanedText CleanFieldText(const QString& text) {
  CleanedText out;
  out.text.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (IsBreak(c)) {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      out.text += u' ';
      continue;
    }
    if (c == u'}' || !InTable(c)) out.refused = true;
    out.text += c;
  }
  return out;
}

QValidator::State FieldValidator::validate(QString& input, int& /*pos*/) const {
  CleanedText cleaned = CleanFieldText(input);
  if (cleaned.refused) return Invalid;
  // A CR LF pair shrinks to one blank; the caret may then stand one past the end, which the
  // line edit clamps.
  input = cleaned.text;
  return Acceptable;
}

bool IsLossOfFocus(Qt::FocusReason reason) {
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

FieldLineEdit::FieldLineEdit(QWidget* parent) : QLineEdit(parent) {
  // The default of 32767 characters would cut a longer field short, and the cut text would be
  // written back.
  setMaxLength(std::numeric_limits<int>::max());
  setValidator(&validator_);
  connect(this, &QLineEdit::textChanged, this, &FieldLineEdit::edited);
}

void FieldLineEdit::setBytes(const std::string& bytes) {
  QSignalBlocker block(this);
  // The validator judges what the user types, not what the file holds.
  setValidator(nullptr);
  setText(BytesToText(bytes));
  setValidator(&validator_);
  setCursorPosition(0);
}

std::string FieldLineEdit::bytes() const { return TextToBytes(text()); }

void FieldLineEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (IsLossOfFocus(event->reason())) emit focusLost();
}

FieldTextEdit::FieldTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(this, &QPlainTextEdit::textChanged, this, &FieldTextEdit::edited);
}

void FieldTextEdit::setBytes(const std::string& bytes) {
  QSignalBlocker block(this);
  QString text = BytesToText(bytes);
  inPieces_ = text.size() > kPiece && std::none_of(text.begin(), text.end(), IsBreak);
  if (inPieces_) {
    QString pieces;
    pieces.reserve(text.size() + text.size() / kPiece + 1);
    for (qsizetype at = 0; at < text.size(); at += kPiece) {
      if (at > 0) pieces += u'\n';
      pieces += QStringView(text).mid(at, kPiece);
    }
    text = std::move(pieces);
  }
  setPlainText(text);
}

std::string FieldTextEdit::bytes() const {
  if (inPieces_) {
    // Nothing typed or pasted makes a paragraph end, so every one is the box's own.
    QString text;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) text += b.text();
    return TextToBytes(text);
  }
  // toRawText keeps a no-break space as it is (toPlainText would turn it into a blank).
  return TextToBytes(CleanFieldText(document()->toRawText()).text);
}

void FieldTextEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  const QString typed = event->text();
  for (QChar c : typed) {
    if (c == u'}' || IsBreak(c) || !InTable(c)) {
      event->accept();
      return;
    }
  }
  QPlainTextEdit::keyPressEvent(event);
}

void FieldTextEdit::inputMethodEvent(QInputMethodEvent* event) {
  const CleanedText cleaned = CleanFieldText(event->commitString());
  if (cleaned.refused || cleaned.text != event->commitString()) {
    event->accept();
    return;
  }
  QPlainTextEdit::inputMethodEvent(event);
}

void FieldTextEdit::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  const CleanedText cleaned = CleanFieldText(source->text());
  if (!cleaned.refused) insertPlainText(cleaned.text);
}

void FieldTextEdit::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  if (IsLossOfFocus(event->reason())) emit focusLost();
}

}  // namespace dlg::ui
