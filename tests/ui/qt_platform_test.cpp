// The message and input boxes that the commands call: what they show, how they may be closed,
// and what they answer.

#include "ui/qt_platform.h"

#include <QtTest/qtestspontaneevent.h>

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace dlg;
using namespace dlg::ui;

namespace {

// Runs `user` on the box once it is up, as the user at the screen would.
template <class Box>
void WhenShown(std::function<void(Box*)> user) {
  QTimer::singleShot(0, [user] {
    Box* box = qobject_cast<Box*>(QApplication::activeModalWidget());
    QVERIFY(box);
    user(box);
  });
}

// A close from the title bar, which the window system delivers.
void CloseFromTitleBar(QWidget* box) {
  QCloseEvent close;
  QSpontaneKeyEvent::setSpontaneous(&close);
  qApp->notify(box, &close);  // sendEvent would clear the spontaneous mark
}

}  // namespace

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  // Escape and the title bar close an OK box; a Yes/No box stays until it is answered.
  void aQuestionMustBeAnswered() {
    const struct {
      MsgButtons buttons;
      MsgIcon icon;
      bool stays;
      QMessageBox::StandardButton answer;  // clicked when the box stayed
      MsgAnswer expected;
      QMessageBox::Icon shownIcon;
    } cases[] = {
        {MsgButtons::YesNo, MsgIcon::None, true, QMessageBox::Yes, MsgAnswer::Yes,
         QMessageBox::NoIcon},
        {MsgButtons::YesNo, MsgIcon::None, true, QMessageBox::No, MsgAnswer::No,
         QMessageBox::NoIcon},
        {MsgButtons::Ok, MsgIcon::Critical, false, QMessageBox::Ok, MsgAnswer::Ok,
         QMessageBox::Critical},
        // Escape on the recovery question is its Cancel: load nothing.
        {MsgButtons::YesNoCancel, MsgIcon::Exclamation, false, QMessageBox::Cancel,
         MsgAnswer::Cancel, QMessageBox::Warning},
    };
    for (const auto& c : cases) {
      QtPlatform platform;
      bool stayed = false;
      QString title, text;
      QMessageBox::Icon icon = QMessageBox::NoIcon;
      WhenShown<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        QTest::keyClick(box, Qt::Key_Escape);
        if (box->isVisible()) CloseFromTitleBar(box);
        stayed = box->isVisible();
        if (stayed) box->button(c.answer)->click();
      });
      const MsgAnswer answer = platform.MessageBox("Really unload /home/m\xC3\xA4rta/a.dlg?",
                                                   "Unload?", c.buttons, c.icon);
      QCOMPARE(stayed, c.stays);
      QVERIFY(answer == c.expected);
      QCOMPARE(title, QStringLiteral("Unload?"));
      QCOMPARE(text, QStringLiteral("Really unload /home/m\u00E4rta/a.dlg?"));
      QCOMPARE(icon, c.shownIcon);
    }
  }

  void anInputBoxAnswersItsEntryOrNothing() {
    const struct {
      QString typed;
      bool confirm;
      std::string expected;
    } cases[] = {
        {QStringLiteral("f\u00E4hre"), true, "f\xC3\xA4hre"},  // a file name: UTF-8
        {QStringLiteral("ferry"), false, ""},                  // cancelled
    };
    for (const auto& c : cases) {
      QtPlatform platform;
      QString prompt;
      WhenShown<QInputDialog>([&](QInputDialog* box) {
        prompt = box->labelText();
        box->setTextValue(c.typed);
        c.confirm ? box->accept() : box->reject();
      });
      QCOMPARE(platform.InputBox("Enter the name for the new .DLG file: ", "Save As"), c.expected);
      QCOMPARE(prompt, QStringLiteral("Enter the name for the new .DLG file: "));
    }
  }
};

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
