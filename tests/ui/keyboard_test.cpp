// The keyboard alone walks a conversation: the focus starts in the file list, Enter loads the
// file picked, follows a reply and goes to a listed number, as a double-click would, and
// Alt+Left and Alt+Right go back and forward.

#include <QtTest>

#include "ui/control_names.h"
#include "ui/field_boxes.h"
#include "ui/window_session.h"

using namespace dlg;
using namespace dlg::ui;
using dlg::test::WindowSession;

class KeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void enterInTheListsWalksAConversation() {
    WindowSession<> s;
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
    QTest::keyClick(&s.form, Qt::Key_Left, Qt::AltModifier);  // back, then forward
    QCOMPARE(s.Line(), QStringLiteral("10|NPC|Then swim."));
    QTest::keyClick(&s.form, Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(s.Line(), QStringLiteral("20|NPC|Sit down."));
    // A line without replies: Enter in the empty list asks for one, as a double-click does.
    press(control::kReplies, {Qt::Key_Return});
    QCOMPARE(s.Boxes(),
             QStringList({QStringLiteral("Invalid Response: Please select a line or response")}));
  }

  void ctrlZUndoesTheTypingFirstThenTheWrites() {
    WindowSession<> s;
    s.Load();
    auto* male = s.W<FieldTextEdit>(control::kMaleText);
    const QString old = s.Text(control::kMaleText);
    // Typing not yet written: the box's own undo.
    QTest::mouseClick(male->viewport(), Qt::LeftButton);
    QTest::keyClick(male, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(male, QStringLiteral(" Or swim."));
    QTest::keyClick(male, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(s.Text(control::kMaleText), old);
    s.Click(control::kFemaleText);  // leaving the box writes nothing: the line is as it was
    QCOMPARE(s.Copy(), test::kFerry);

    // Written on leaving the box: Ctrl+Z, in any box, undoes the write; Ctrl+Y does it again.
    QTest::mouseClick(male->viewport(), Qt::LeftButton);
    QTest::keyClick(male, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(male, QStringLiteral(" Or swim."));
    s.Click(control::kFemaleText);
    const std::string written = s.Copy();
    QVERIFY(written.starts_with("{1}{Crossing costs three silver \x97 each way. Or swim.}"));
    QTest::mouseClick(male->viewport(), Qt::LeftButton);
    QTest::keyClick(male, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(s.Copy(), test::kFerry);
    QCOMPARE(s.Line(), QStringLiteral("1|NPC|Crossing costs three silver \u2014 each way."));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(s.Copy(), written);
    QCOMPARE(s.Boxes(), QStringList());
  }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
