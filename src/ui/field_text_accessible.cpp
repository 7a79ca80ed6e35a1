#include "ui/field_text_accessible.h"

#include <QAccessibleWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include "ui/field_boxes.h"

namespace dlg::ui {

namespace {

// Qt's own interface for a plain text box counts the box's paragraph ends as characters; this one
// reads every offset through the box's mapping. Qt's change and caret notices still carry the
// document's positions.
class FieldTextAccessible : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
 public:
  explicit FieldTextAccessible(FieldTextEdit* box)
      : QAccessibleWidget(box, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
      return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.selectableText = true;
    state.multiLine = box()->lineWrapMode() != QPlainTextEdit::NoWrap;
    state.readOnly = box()->isReadOnly();
    state.editable = !state.readOnly;
    return state;
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return text(0, characterCount());
    return QAccessibleWidget::text(t);
  }
  void setText(QAccessible::Text t, const QString& text) override {
    if (t == QAccessible::Value)
      replaceText(0, characterCount(), text);
    else
      QAccessibleWidget::setText(t, text);
  }

  void selection(int index, int* start, int* end) const override {
    const QTextCursor cursor = box()->textCursor();
    *start = *end = 0;
    if (index != 0 || !cursor.hasSelection()) return;
    *start = box()->FieldOffset(cursor.selectionStart());
    *end = box()->FieldOffset(cursor.selectionEnd());
  }
  int selectionCount() const override { return box()->textCursor().hasSelection() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int index) override {
    if (index != 0) return;
    QTextCursor cursor = box()->textCursor();
    cursor.clearSelection();
    box()->setTextCursor(cursor);
  }
  void setSelection(int index, int start, int end) override {
    if (index == 0) box()->setTextCursor(Range(start, end));
  }

  int cursorPosition() const override { return box()->FieldOffset(box()->textCursor().position()); }
  void setCursorPosition(int offset) override { box()->setTextCursor(Range(offset, offset)); }

  QString text(int start, int end) const override {
    return box()->FieldText(box()->BoxPosition(start), box()->BoxPosition(end));
  }
  int characterCount() const override {
    return box()->FieldOffset(box()->document()->characterCount() - 1);
  }

  // Lines are the lines the box shows; other units are found in the whole text.
  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                       int* end) const override {
    if (type == QAccessible::LineBoundary && ShownLine(offset, start, end))
      return text(*start, *end);
    return QAccessibleTextInterface::textAtOffset(offset, type, start, end);
  }
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                           int* end) const override {
    if (type == QAccessible::LineBoundary && ShownLine(offset, start, end)) {
      if (*start > 0 && ShownLine(*start - 1, start, end)) return text(*start, *end);
      *start = *end = 0;
      return QString();
    }
    return QAccessibleTextInterface::textBeforeOffset(offset, type, start, end);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                          int* end) const override {
    if (type == QAccessible::LineBoundary && ShownLine(offset, start, end)) {
      const int count = characterCount();
      if (*end < count && ShownLine(*end, start, end)) return text(*start, *end);
      *start = *end = count;
      return QString();
    }
    return QAccessibleTextInterface::textAfterOffset(offset, type, start, end);
  }

  QRect characterRect(int offset) const override {
    QTextCursor at = Range(offset, offset);
    QRect rect = box()->cursorRect(at);
    at.movePosition(QTextCursor::NextCharacter);
    const QRect next = box()->cursorRect(at);
    const bool sameLine = next.top() == rect.top() && next.left() > rect.left();
    rect.setWidth(sameLine ? next.left() - rect.left() : box()->fontMetrics().averageCharWidth());
    return QRect(box()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
  }
  int offsetAtPoint(const QPoint& point) const override {
    const QPoint local = box()->viewport()->mapFromGlobal(point);
    if (!box()->viewport()->rect().contains(local)) return -1;
    return box()->FieldOffset(box()->cursorForPosition(local).position());
  }
  // As in Qt's own plain text box, the view is left where it is.
  void scrollToSubstring(int, int) override {}
  // One font and colour throughout.
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return QString();
  }

  void deleteText(int start, int end) override { replaceText(start, end, QString()); }
  void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
  // By the rules of typing and pasting: a line break becomes a blank, "}" is left out.
  void replaceText(int start, int end, const QString& text) override {
    const CleanedText cleaned = CleanFieldText(text);
    if (box()->isReadOnly()) return;
    Range(start, end).insertText(cleaned.text);
  }

 private:
  FieldTextEdit* box() const { return static_cast<FieldTextEdit*>(widget()); }

  QTextCursor Range(int start, int end) const {
    QTextCursor range(box()->document());
    range.setPosition(box()->BoxPosition(start));
    range.setPosition(box()->BoxPosition(end), QTextCursor::KeepAnchor);
    return range;
  }

  // The shown line that holds an offset; false for a paragraph not laid out yet.
  bool ShownLine(int offset, int* start, int* end) const {
    const int position = box()->BoxPosition(offset);
    const QTextBlock block = box()->document()->findBlock(position);
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0) return false;
    const QTextLine line = layout->lineForTextPosition(position - block.position());
    if (!line.isValid()) return false;
    *start = box()->FieldOffset(block.position() + line.textStart());
    *end = box()->FieldOffset(block.position() + line.textStart() + line.textLength());
    return true;
  }
};

QAccessibleInterface* FieldTextFactory(const QString& className, QObject* object) {
  if (className != QLatin1StringView(FieldTextEdit::staticMetaObject.className())) return nullptr;
  auto* box = qobject_cast<FieldTextEdit*>(object);
  return box ? new FieldTextAccessible(box) : nullptr;
}

}  // namespace

void InstallFieldTextAccessible() {
  static const bool installed = [] {
    QAccessible::installFactory(&FieldTextFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace dlg::ui
