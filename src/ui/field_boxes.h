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

namespace dlg::ui {

struct CleanedText {
  QString text;
  bool refused = false;  // holds "}" or a character outside the table
};
// Line breaks (CR LF, CR, LF and Unicode's separators) become one blank each.
CleanedText CleanFieldText(const QString& text);

class FieldValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
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

 signals:
  void edited();
  void focusLost();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowLong(bool shown);
  void PlaceLong();

  FieldValidator validator_;
  FieldTextEdit* long_ = nullptr;  // made for the first long field
};

// Multi-line, wrapping box with a vertical scroll bar; Enter is refused like CR and LF, and Tab
// moves on to the next control. A long text without line breaks is held in paragraphs of a few
// thousand characters: Qt lays out only the paragraphs in view, but one paragraph always whole,
// and wrapping a paragraph without blanks takes time that grows with the square of its length.
// The paragraph ends are the box's own and read back as nothing.
class FieldTextEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit FieldTextEdit(QWidget* parent = nullptr);
  void setBytes(const std::string& bytes);
  // Line breaks shown from the model read back as blanks.
  std::string bytes() const;

 signals:
  void edited();
  void focusLost();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool inPieces_ = false;  // every paragraph end is the box's own
};

}  // namespace dlg::ui
