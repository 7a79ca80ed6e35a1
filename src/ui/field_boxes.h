#pragma once
// The text boxes of the windows. They hold bytes shown through the cp1252 table and keep every
// record writable: a character outside the table and "}" are refused, typed or pasted, and a
// pasted line break becomes a blank. A loss of focus to another control of the program is
// reported; one to a message box, a popup or another window is not, since the user has not
// moved on to another control.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QValidator>
#include <string>

#include "ui/field_text.h"

namespace dlg::ui {

// Takes what the user types or pastes into `box` without what a record cannot hold, and says
// what it left out.
class FieldValidator : public QValidator {
 public:
  explicit FieldValidator(QWidget* box = nullptr) : box_(box) {}
  void setBox(QWidget* box) { box_ = box; }
  State validate(QString& input, int& pos) const override;

 private:
  QWidget* box_;
};

bool IsLossOfFocus(Qt::FocusReason reason);

class FieldTextEdit;

// Single-line box. A line edit lays out its whole text on every change, which takes seconds for
// a field of megabytes; such a field is shown and edited in a single-line text box laid over the
// line edit, which lays out only what is in view. It takes the focus for the line edit and
// reports its edits and its loss of focus as the line edit's own.
class FieldLineEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit FieldLineEdit(QWidget* parent = nullptr);
  // Shows the bytes as they stand (a CR from an odd file included), without signals.
  void setBytes(const std::string& bytes);
  std::string bytes() const;
  // What was typed is written or belongs to another line: Ctrl+Z is now the editor's Undo.
  void ForgetTyping();
  // A box whose Enter runs a command (Go to, Add Line, Find); in a field box it is refused.
  void setEnterActs(bool acts) { enterActs_ = acts; }

 signals:
  void edited();
  void focusLost();
  void ctrlEnterPressed();  // reached the box: no window shortcut took it

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void ShowLong(bool shown);
  void PlaceLong();

  FieldValidator validator_;
  FieldTextEdit* long_ = nullptr;  // made for the first long field
  bool enterActs_ = false;
};

// Multi-line, wrapping box with a vertical scroll bar; Enter is refused like CR and LF, and Tab
// moves on to the next control. Qt lays out only the paragraphs in view, but one paragraph always
// whole, and wrapping a run without blanks takes time that grows with the square of its length.
// So a text without line breaks gets paragraph ends of the box's own inside runs of thousands of
// characters without blanks, and at a blank in a text of tens of thousands; a shorter text of
// words is the one paragraph it is. These ends read back, copy and read to a screen reader as
// nothing.
class FieldTextEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit FieldTextEdit(QWidget* parent = nullptr);
  void setBytes(const std::string& bytes);
  void ForgetTyping() { document()->clearUndoRedoStacks(); }
  // Line breaks shown from the model read back as blanks.
  std::string bytes() const;

  // The characters between two positions of the document, a no-break space as it is and a line
  // shown from the model as "\n".
  QString FieldText(int from, int to) const;
  // Offsets into the field's characters, and positions in the document, which holds the box's
  // own paragraph ends besides.
  int FieldOffset(int position) const;
  int BoxPosition(int offset) const;

 signals:
  void edited();
  void focusLost();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  QMimeData* createMimeDataFromSelection() const override;
  void focusOutEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;

 private:
  bool inPieces_ = true;  // shown without line breaks: every paragraph end is the box's own
};

}  // namespace dlg::ui
