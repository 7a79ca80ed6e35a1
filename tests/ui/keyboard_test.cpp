// The keyboard alone walks a conversation: the focus starts in the file list, Enter loads the
// file picked, follows a reply and goes to a listed number, as a double-click would.

#include <QtTest>

#include "ui/control_names.h"
#include "ui/window_session.h"

using namespace dlg;
using namespace dlg::ui;
using dlg::test::Session;

class KeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void enterInTheListsWalksAConversation() {
    Session<> s;
    s.Load(false);
    QCOMPARE(QApplication::focusWidget(), s.W(control::kFileList));
    auto press = [&](const char* list, std::initializer_list<Qt::Key> keys) {
      QWidget* w = s.W(list);
      w->setFocus();  // as Tab would bring it there
      for (Qt::Key key : keys) QTest::keyClick(w, key);
    };
    press(control::kFileList, {Qt::Key_Home, Qt::Key_Return});
    QCOMPARE(s.Line(), QStringLiteral("1|NPC|Crossing costs three silver \u2014 each way."));
    press(control::kReplies, {Qt::Key_Home, Qt::Key_Return});  // the first reply, "Too much."
    QCOMPARE(s.Line(), QStringLiteral("10|NPC|Then swim."));
    press(control::kUsedNumbers, {Qt::Key_End, Qt::Key_Enter});
    QCOMPARE(s.Line(), QStringLiteral("20|NPC|Sit down."));
    // A line without replies: Enter in the empty list asks for one, as a double-click does.
    press(control::kReplies, {Qt::Key_Return});
    QCOMPARE(s.Boxes(),
             QStringList({QStringLiteral("Invalid Response: Please select a line or response")}));
  }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
