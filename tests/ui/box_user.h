#pragma once
// A user at the real message and input boxes: answers each box that comes up, in order, as a
// person would, and remembers what each showed.

#include <QtTest/qtestspontaneevent.h>

#include <QCloseEvent>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <string>
#include <vector>

namespace dlg::test {

// A box of the real window as one line: title | text | buttons | icon.
inline std::string BoxLine(const std::string& title, const std::string& text,
                           QMessageBox::StandardButtons buttons, QMessageBox::Icon icon) {
  return title + " | " + text + " | " + std::to_string(int(buttons)) + " | " +
         std::to_string(int(icon));
}

// What the user does to a message box: a click on one of its buttons, Enter, Escape, or the
// title bar's close, which the window system delivers.
struct Gesture {
  enum Kind { Click, Enter, Escape, Close } kind;
  QMessageBox::StandardButton button = QMessageBox::NoButton;
  Gesture(Kind k) : kind(k) {}
  Gesture(QMessageBox::StandardButton b) : kind(Click), button(b) {}
};
// Escape, then the title bar's close: what a user tries to get rid of a box.
inline const std::vector<Gesture> kDismiss = {Gesture::Escape, Gesture::Close};

struct BoxUser {
  // For each message box, the gestures tried on it in turn until it goes; a box that stays
  // after one of them is marked " | stayed" in `seen`.
  std::deque<std::vector<Gesture>> answers;
  std::deque<QString> inputs;     // "" cancels the input box
  std::vector<std::string> seen;  // a message box as BoxLine, an input box by its prompt
  QTimer timer;

  BoxUser() {
    QObject::connect(&timer, &QTimer::timeout, [this] { Act(); });
    timer.start(5);
  }

  void Act() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* input = qobject_cast<QInputDialog*>(modal); input && !inputs.empty()) {
      seen.push_back(input->labelText().toStdString());
      if (!input->textValue().isEmpty())
        seen.back() += " | holding " + input->textValue().toStdString();
      input->setTextValue(inputs.front());
      inputs.front().isEmpty() ? input->reject() : input->accept();
      inputs.pop_front();
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box || !box->isVisible() || answers.empty()) return;
    seen.push_back(BoxLine(box->windowTitle().toStdString(), box->text().toStdString(),
                           box->standardButtons(), box->icon()));
    const std::vector<Gesture> gestures = answers.front();
    answers.pop_front();
    for (std::size_t i = 0; i < gestures.size() && box->isVisible(); ++i) {
      if (i > 0 && !seen.back().ends_with(" | stayed")) seen.back() += " | stayed";
      const Gesture& g = gestures[i];
      if (g.kind == Gesture::Click) box->button(g.button)->click();
      if (g.kind == Gesture::Enter || g.kind == Gesture::Escape)
        QTest::keyClick(box, g.kind == Gesture::Enter ? Qt::Key_Return : Qt::Key_Escape);
      if (g.kind == Gesture::Close) {
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        qApp->notify(box, &close);  // sendEvent would clear the spontaneous mark
      }
    }
  }
};

}  // namespace dlg::test
