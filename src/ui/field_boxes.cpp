#include "ui/field_boxes.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "ui/field_text.h"
#include "ui/field_text_accessible.h"
#include "ui/refusals.h"
#include "ui/text_bytes.h"

namespace dlg::ui {

namespace {

// Longest field a line edit shows: laying it out again after each key takes some 15 ms.
constexpr std::size_t kLongLine = 32768;

// A long field on one line, drawn inside the line edit's own frame. Its paragraphs are the
// pieces it is held in; Home and End go to the ends of the whole field, as in a line edit.
class LongLineEdit : public FieldTextEdit {
 public:
  explicit LongLineEdit(QWidget* parent) : FieldTextEdit(parent) {
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(0);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Home || event->key() == Qt::Key_End) &&
        (mods == Qt::NoModifier || mods == Qt::ShiftModifier)) {
      moveCursor(event->key() == Qt::Key_Home ? QTextCursor::Start : QTextCursor::End,
                 mods == Qt::ShiftModifier ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
      event->accept();
      return;
    }
    FieldTextEdit::keyPressEvent(event);
  }
  // One line in view, centred as the line edit centres its text; the next piece stays hidden.
  void resizeEvent(QResizeEvent* event) override {
    const int line = fontMetrics().lineSpacing();
    const int top = std::max(0, (height() - line + 1) / 2);
    setViewportMargins(0, top, 0, std::max(0, height() - top - line));
    FieldTextEdit::resizeEvent(event);
  }
  // The line edit draws the frame, which shows the focus.
  void focusInEvent(QFocusEvent* event) override {
    FieldTextEdit::focusInEvent(event);
    parentWidget()->update();
  }
  void focusOutEvent(QFocusEvent* event) override {
    FieldTextEdit::focusOutEvent(event);
    parentWidget()->update();
  }
};

// Ctrl+Z and its kin undo the typing in a box while there is typing to undo; past that they are
// the editor's Undo and Redo of whole writes.
bool LeavesUndoToTheEditor(const QKeyEvent* key, bool boxCanUndo, bool boxCanRedo) {
  return (key->matches(QKeySequence::Undo) && !boxCanUndo) ||
         (key->matches(QKeySequence::Redo) && !boxCanRedo);
}

}  // namespace

QValidator::State FieldValidator::validate(QString& input, int& pos) const {
  CleanedText cleaned = CleanFieldText(input);
  // A CR LF pair shrinks to one blank; the caret may then stand past the end, which the line
  // edit clamps. What was left out stood before the caret: it was just typed or pasted there.
  if (cleaned.refused) {
    pos = std::max(0, pos - static_cast<int>(cleaned.leftOut.size()));
    if (box_) {
      // Said once the box shows its new text and caret.
      QTimer::singleShot(
          0, box_, [box = box_, why = LeftOutText(cleaned.leftOut)] { SayRefused(box, why); });
    }
  }
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
  validator_.setBox(this);
  setValidator(&validator_);
  connect(this, &QLineEdit::textChanged, this, &FieldLineEdit::edited);
}

void FieldLineEdit::setBytes(const std::string& bytes) {
  // Also keeps quiet the focus that moves between the two boxes.
  QSignalBlocker block(this);
  // A line break from an odd file stays in the line edit, which shows it as it stands.
  const bool isLong = bytes.size() > kLongLine && bytes.find_first_of("\r\n") == std::string::npos;
  if (isLong && !long_) {
    long_ = new LongLineEdit(this);
    long_->setAccessibleName(accessibleName());
    long_->hide();
    PlaceLong();
    QWidget::setTabOrder(this, long_);
    connect(long_, &FieldTextEdit::edited, this, &FieldLineEdit::edited);
    connect(long_, &FieldTextEdit::focusLost, this, &FieldLineEdit::focusLost);
  }
  if (long_) {
    QSignalBlocker blockLong(long_);
    long_->setBytes(isLong ? bytes : std::string());
  }
  // The validator judges what the user types, not what the file holds.
  setValidator(nullptr);
  setText(isLong ? QString() : BytesToText(bytes));
  setValidator(&validator_);
  setCursorPosition(0);
  if (long_) ShowLong(isLong);
}

void FieldLineEdit::ShowLong(bool shown) {
  if (long_->isVisibleTo(this) == shown) return;
  const bool focused = hasFocus();
  if (shown) {
    setFocusProxy(long_);
    long_->show();
    if (focused) long_->setFocus(Qt::OtherFocusReason);
  } else {
    setFocusProxy(nullptr);
    if (focused) setFocus(Qt::OtherFocusReason);
    long_->hide();
  }
}

void FieldLineEdit::PlaceLong() {
  QStyleOptionFrame option;
  initStyleOption(&option);
  QRect area = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  // The line edit's own margins around its text.
  long_->setGeometry(area.marginsRemoved(textMargins()).adjusted(2, 0, -2, 0));
}

std::string FieldLineEdit::bytes() const {
  if (long_ && long_->isVisibleTo(this)) return long_->bytes();
  return TextToBytes(text());
}

void FieldLineEdit::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  if (enter && mods == Qt::ControlModifier) {
    emit ctrlEnterPressed();
    event->accept();
    return;
  }
  if (enter && mods == Qt::NoModifier && !enterActs_) {
    SayRefused(this, QString::fromUtf16(kEnterRefused));
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void FieldLineEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (!IsLossOfFocus(event->reason())) return;
  emit focusLost();
  ForgetTyping();
}

void FieldLineEdit::ForgetTyping() {
  if (long_) long_->ForgetTyping();
  if (!isUndoAvailable() && !isRedoAvailable()) return;
  const QSignalBlocker quiet(this);
  const int cursor = cursorPosition();
  setText(text());
  setCursorPosition(cursor);
}

bool FieldLineEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride &&
      LeavesUndoToTheEditor(static_cast<QKeyEvent*>(event), isUndoAvailable(), isRedoAvailable())) {
    event->ignore();
    return true;
  }
  return QLineEdit::event(event);
}

void FieldLineEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  if (long_) PlaceLong();
}

FieldTextEdit::FieldTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
  InstallFieldTextAccessible();
  setTabChangesFocus(true);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(this, &QPlainTextEdit::textChanged, this, &FieldTextEdit::edited);
}

void FieldTextEdit::setBytes(const std::string& bytes) {
  QSignalBlocker block(this);
  const QString text = BytesToText(bytes);
  inPieces_ = std::none_of(text.begin(), text.end(), IsBreak);
  // A box that does not wrap lays a paragraph out as one line, at some three times the cost, and
  // shows one line at a time: its paragraphs of words need be no longer than a piece.
  const qsizetype paragraph = lineWrapMode() == QPlainTextEdit::NoWrap ? kPiece : kParagraph;
  setPlainText(inPieces_ ? InPieces(text, paragraph) : text);
}

std::string FieldTextEdit::bytes() const {
  if (inPieces_) {
    // Nothing typed or pasted makes a paragraph end, so every one is the box's own. Read piece
    // by piece: this runs on every key.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(document()->characterCount()));
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
      bytes += TextToBytes(b.text());
    return bytes;
  }
  // toRawText keeps a no-break space as it is (toPlainText would turn it into a blank).
  return TextToBytes(CleanFieldText(document()->toRawText(), true).text);
}

void FieldTextEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // Ctrl+Enter goes on to the window; a plain one would break the record.
    if (event->modifiers() & Qt::ControlModifier) {
      event->ignore();
      return;
    }
    SayRefused(this, QString::fromUtf16(kEnterRefused));
    event->accept();
    return;
  }
  const CleanedText cleaned = CleanFieldText(event->text());
  if (cleaned.refused || cleaned.text != event->text()) {
    if (cleaned.refused) SayRefused(this, LeftOutText(cleaned.leftOut));
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void FieldTextEdit::inputMethodEvent(QInputMethodEvent* event) {
  const CleanedText cleaned = CleanFieldText(event->commitString());
  if (cleaned.text != event->commitString()) {
    event->accept();
    insertPlainText(cleaned.text);
    if (cleaned.refused) SayRefused(this, LeftOutText(cleaned.leftOut));
    return;
  }
  QPlainTextEdit::inputMethodEvent(event);
}

void FieldTextEdit::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  const CleanedText cleaned = CleanFieldText(source->text());
  insertPlainText(cleaned.text);
  if (cleaned.refused) SayRefused(this, LeftOutText(cleaned.leftOut));
}

QString FieldTextEdit::FieldText(int from, int to) const {
  QTextCursor range(document());
  range.setPosition(from);
  range.setPosition(to, QTextCursor::KeepAnchor);
  // selectedText keeps a no-break space (the document's own plain text makes it a blank).
  QString text = range.selectedText();
  if (inPieces_)
    text.remove(QChar::ParagraphSeparator);
  else
    text.replace(QChar::ParagraphSeparator, u'\n');
  return text;
}

int FieldTextEdit::FieldOffset(int position) const {
  if (!inPieces_) return position;
  return position - document()->findBlock(position).blockNumber();
}

int FieldTextEdit::BoxPosition(int offset) const {
  const QTextDocument* doc = document();
  const int last = doc->characterCount() - 1;
  if (!inPieces_ || offset <= 0) return std::clamp(offset, 0, last);
  // The last paragraph that starts at or before the offset; one box paragraph end before each.
  int low = 0;
  int high = doc->blockCount() - 1;
  while (low < high) {
    const int mid = (low + high + 1) / 2;
    if (doc->findBlockByNumber(mid).position() - mid <= offset)
      low = mid;
    else
      high = mid - 1;
  }
  return std::min(offset + low, last);
}

QMimeData* FieldTextEdit::createMimeDataFromSelection() const {
  const QTextCursor selection = textCursor();
  auto* data = new QMimeData;
  data->setText(FieldText(selection.selectionStart(), selection.selectionEnd()));
  return data;
}

void FieldTextEdit::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  if (!IsLossOfFocus(event->reason())) return;
  emit focusLost();
  ForgetTyping();
}

bool FieldTextEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride &&
      LeavesUndoToTheEditor(static_cast<QKeyEvent*>(event), document()->isUndoAvailable(),
                            document()->isRedoAvailable())) {
    event->ignore();
    return true;
  }
  return QPlainTextEdit::event(event);
}

}  // namespace dlg::ui
