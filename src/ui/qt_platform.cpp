#include "ui/qt_platform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "ui/text_bytes.h"

namespace dlg::ui {

namespace {

bool g_ended = false;

// A Yes/No question must be answered: Escape and the title bar's close do nothing (QMessageBox
// would otherwise pick "No" for them).
class QuestionBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;
  bool mustAnswer = false;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (mustAnswer && event->key() == Qt::Key_Escape) {
      event->accept();
      return;
    }
    QMessageBox::keyPressEvent(event);
  }
  void closeEvent(QCloseEvent* event) override {
    // The title bar's close arrives from the window system; a button's answer closes the box
    // from within.
    if (mustAnswer && event->spontaneous()) {
      event->ignore();
      return;
    }
    QMessageBox::closeEvent(event);
  }
};

QMessageBox::Icon ToQt(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Critical:
      return QMessageBox::Critical;
    case MsgIcon::Information:
      return QMessageBox::Information;
    case MsgIcon::Exclamation:
      return QMessageBox::Warning;
    case MsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// A box is at least as wide as its title, which the window system would otherwise cut short
// ("Lin...xist"). The title bar's font is the window system's; the application's font, with
// room for the bar's buttons, stands in for it.
void MakeRoomForTitle(QMessageBox& box) {
  constexpr int kTitleBarButtons = 120;
  const int wanted = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
}

// Once a box is closed, the window it came from is the active window again, as it was. A window
// system without a window manager activates none, and every shortcut of the window would stay
// dead until it was clicked. That activation arrives later, from the window system: a box that
// follows another at once ("Changes Have Been Saved" after "Oberwrite?") finds no active window,
// and comes from the window the box before it came from.
class GivesBackActivation {
 public:
  GivesBackActivation() : window_(QApplication::activeWindow()) {
    if (window_) {
      lastFrom_ = window_;
    } else if (lastFrom_ && lastFrom_->isVisible()) {
      window_ = lastFrom_;
    }
  }
  ~GivesBackActivation() {
    if (window_ && window_->isVisible() && !ProgramEnded()) window_->activateWindow();
  }
  QWidget* window() const { return window_; }

 private:
  QPointer<QWidget> window_;
  static inline QPointer<QWidget> lastFrom_;
};

}  // namespace

MsgAnswer QtPlatform::MessageBox(const std::string& text, const std::string& title,
                                 MsgButtons buttons, MsgIcon icon) {
  const GivesBackActivation from;
  QuestionBox box(from.window());
  box.setWindowTitle(DisplayText(title));
  box.setTextFormat(Qt::PlainText);
  box.setText(DisplayText(text));
  box.setIcon(ToQt(icon));
  MakeRoomForTitle(box);
  if (buttons == MsgButtons::Ok) {
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MsgAnswer::Ok;
  }
  QPushButton* yes = box.addButton(QMessageBox::Yes);
  QPushButton* no = box.addButton(QMessageBox::No);
  if (buttons == MsgButtons::YesNoCancel) {
    // Escape, Enter and the title bar's close are a Cancel, the answer that changes nothing.
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setEscapeButton(cancel);
    box.setDefaultButton(cancel);
  } else {
    box.mustAnswer = true;
    box.setDefaultButton(yes);
  }
  box.exec();
  if (box.clickedButton() == yes) return MsgAnswer::Yes;
  if (box.clickedButton() == no) return MsgAnswer::No;
  return buttons == MsgButtons::YesNoCancel ? MsgAnswer::Cancel : MsgAnswer::No;
}

std::string QtPlatform::InputBox(const std::string& prompt, const std::string& title) {
  const GivesBackActivation from;
  bool ok = false;
  const QString entry = QInputDialog::getText(
      from.window(), DisplayText(title), DisplayText(prompt), QLineEdit::Normal, QString(), &ok);
  if (!ok) return {};
  return entry.toUtf8().toStdString();
}

void QtPlatform::EndProgram() {
  g_ended = true;
  for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
  QCoreApplication::exit(0);
}

bool ProgramEnded() { return g_ended; }

}  // namespace dlg::ui
