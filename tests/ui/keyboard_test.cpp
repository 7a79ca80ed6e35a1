// The keyboard alone: the focus starts in the file list, Enter loads the file picked, follows a
// reply and goes to a listed number, as a double-click would; Alt+Left and Alt+Right go back and
// forward; where the keys go after a load and after "Add Line", the keys that add and save a line
// and leave one, and the keys a box refuses, said aloud.

#include <QAbstractItemView>
#include <QClipboard>
#include <QCompleter>
#include <QToolTip>
#include <QtTest>

#include "ui/control_names.h"
#include "ui/conversation_window.h"
#include "ui/field_boxes.h"
#include "ui/window_session.h"

using namespace dlg;
using namespace dlg::test;

namespace {

// The tooltip once the box has said why it refused.
QString Said() {
  QApplication::processEvents();  // a line box says it once it shows its text again
  (void)QTest::qWaitFor([] { return QToolTip::isVisible(); });
  const QString text = QToolTip::text();
  QToolTip::hideText();
  return text;
}

}  // namespace

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
    press(control::kReplies, {Qt::Key_Down, Qt::Key_Return});  // the first reply, "Too much."
    QCOMPARE(s.Line(), QStringLiteral("10|NPC|Then swim."));
    press(control::kUsedNumbers, {Qt::Key_End, Qt::Key_Enter});
    QCOMPARE(s.Line(), QStringLiteral("20|NPC|Sit down."));
    QTest::keyClick(&s.form, Qt::Key_Left, Qt::AltModifier);  // back, then forward
    QCOMPARE(s.Line(), QStringLiteral("10|NPC|Then swim."));
    QTest::keyClick(&s.form, Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(s.Line(), QStringLiteral("20|NPC|Sit down."));
    // A line without replies: Enter in the empty list asks for one, as a double-click does.
    press(control::kReplies, {Qt::Key_Return});
    QCOMPARE(s.Boxes(), Texts({"Invalid Response: Please select a line or response"}));
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
    QCOMPARE(s.Copy(), kFerry);

    // Written on leaving the box: Ctrl+Z, in any box, undoes the write; Ctrl+Y does it again.
    QTest::mouseClick(male->viewport(), Qt::LeftButton);
    QTest::keyClick(male, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(male, QStringLiteral(" Or swim."));
    s.Click(control::kFemaleText);
    const std::string written = s.Copy();
    QVERIFY(written.starts_with("{1}{Crossing costs three silver \x97 each way. Or swim.}"));
    QTest::mouseClick(male->viewport(), Qt::LeftButton);
    QTest::keyClick(male, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(s.Copy(), kFerry);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(s.Copy(), written);
    QCOMPARE(s.Boxes(), QStringList());

    // Typing undone in a box and another line shown, the focus still there: Ctrl+Y is no redo
    // of that typing into this line.
    s.Type(control::kGoToNumber, QStringLiteral("10"));
    QTest::keyClick(s.W(control::kGoToNumber), Qt::Key_Return);
    auto* female = s.W<FieldTextEdit>(control::kFemaleText);
    QTest::mouseClick(female->viewport(), Qt::LeftButton);
    QTest::keyClicks(female, QStringLiteral("Typed on 10."));
    QTest::keyClick(female, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(female, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(s.Text(control::kLineNumber), QStringLiteral("1"));
    QTest::keyClick(female, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(s.Text(control::kFemaleText), QString());
    QCOMPARE(s.Copy(), written);
  }

  void aNewLineByKeyboardAlone() {
    WindowSession<> s;
    s.Load();
    QCOMPARE(QApplication::focusWidget(), s.W(control::kMaleText));
    // Enter in the number box runs "Add Line"; the keys then go into the male text.
    s.Type(control::kNewLineNumber, QStringLiteral("15"));
    QTest::keyClick(s.W(control::kNewLineNumber), Qt::Key_Return);
    QCOMPARE(s.Text(control::kLineNumber), QStringLiteral("15"));
    QCOMPARE(QApplication::focusWidget(), s.W(control::kMaleText));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("A new line."));
    // Ctrl+Enter, in whichever box of the new line: "Save New Line".
    s.W(control::kIntCheck)->setFocus();
    QTest::keyClicks(s.W(control::kIntCheck), QStringLiteral("7"));
    QTest::keyClick(s.W(control::kIntCheck), Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(!s.W(control::kSaveNewLine)->isVisible());
    QVERIFY(s.Copy().find("{15}{A new line.}{}{7}{}{}{}\r\n{20}") != std::string::npos);
    QCOMPARE(s.Boxes(), QStringList());

    // Escape leaves a new line; one with typed text after "Save New Line?".
    s.Type(control::kNewLineNumber, QStringLiteral("16"));
    QTest::keyClick(s.W(control::kNewLineNumber), Qt::Key_Enter);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Dropped."));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(s.Boxes(), Texts({"Save New Line?: Save the new line 16 before leaving it?"}));
    QVERIFY(s.W(control::kGoToFirst)->isVisible());
  }

  // "Add Line" with an empty box offers the next free number to type over; Enter in "Go to:" goes
  // there; the jump box lists the NPC lines as it is typed in, and marks and offers to add a line
  // that is not there.
  void numbersOfferedWhereTheyAreTyped() {
    WindowSession<> s;
    s.Load();
    s.Click(control::kAddLine);
    auto* number = s.W<FieldLineEdit>(control::kNewLineNumber);
    QCOMPARE(number->selectedText(), QStringLiteral("4"));
    QCOMPARE(QApplication::focusWidget(), number);
    QTest::keyClicks(number, QStringLiteral("5"));
    QCOMPARE(number->text(), QStringLiteral("5"));

    s.Type(control::kGoToNumber, QStringLiteral("2"));
    QTest::keyClick(s.W(control::kGoToNumber), Qt::Key_Return);
    auto* jump = s.W<FieldLineEdit>(control::kJumpLine);
    s.Type(control::kJumpLine, QStringLiteral("2"));
    QTRY_VERIFY(jump->completer()->popup()->isVisible());
    QCOMPARE(jump->completer()->popup()->model()->index(0, 0).data().toString(),
             QStringLiteral("20  Sit down."));
    QTest::keyClick(jump->completer()->popup(), Qt::Key_Down);
    QTest::keyClick(jump->completer()->popup(), Qt::Key_Return);
    QCOMPARE(jump->text(), QStringLiteral("20"));
    QVERIFY(!QToolTip::isVisible());  // the Enter that picked is no Enter refused in the box
    QCOMPARE(jump->toolTip(), QString());

    s.Type(control::kJumpLine, QStringLiteral("50"));
    QCOMPARE(jump->toolTip(), QStringLiteral("no line 50 yet"));
    s.platform.answers.push_back(MsgAnswer::Yes);
    QTest::keyClick(jump, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(s.Boxes(), Texts({"Add Line: There is no line 50 yet. Add Line 50?"}));
    QCOMPARE(s.Text(control::kLineNumber), QStringLiteral("50"));
    QVERIFY(s.Copy().find("{2}{Too much.}{}{}{}{50}{}") != std::string::npos);
  }

  // What a record cannot hold is refused with a beep and a word at the caret, typed, entered or
  // pasted, in the line and the multi-line boxes and in Find; what it refused is not in the box:
  // text_boxes_test.
  void refusedKeysSayWhy() {
    WindowSession<> s;
    s.Load();
    const struct {
      const char *box, *typed, *said;
    } rows[] = {
        {control::kConditionFlags, "}", "} cannot stand in a field"},
        {control::kMaleText, "}", "} cannot stand in a field"},
        {control::kFemaleText, "\u0141",
         "\u0141 is not in the Windows-1252 character set of dialogue files"},
        {control::kExecutionFlags, "\r", "Enter cannot stand in a field"},
        {control::kMaleText, "\r", "Enter cannot stand in a field"},
    };
    for (const auto& r : rows) {
      s.W(r.box)->setFocus();
      if (*r.typed == '\r') QTest::keyClick(s.W(r.box), Qt::Key_Return);
      if (*r.typed != '\r') TypeChars(s.W(r.box), QString::fromUtf8(r.typed));
      QCOMPARE(Said(), QString::fromUtf8(r.said));
    }

    // A paste says what it left out.
    const QString said = QStringLiteral(
        "2 characters left out:\n"
        "\u0141 is not in the Windows-1252 character set of dialogue files\n"
        "\u017A is not in the Windows-1252 character set of dialogue files");
    QGuiApplication::clipboard()->setText(QStringLiteral("\u0141\u00F3d\u017A"));
    auto* flags = s.W<FieldLineEdit>(control::kConditionFlags);
    flags->setFocus();
    flags->clear();
    flags->paste();
    QCOMPARE(Said(), said);
    auto* male = s.W<FieldTextEdit>(control::kMaleText);
    male->setFocus();
    male->selectAll();
    male->paste();
    QCOMPARE(Said(), said);

    s.form.ShowConversation(true);
    QVERIFY(QTest::qWaitForWindowActive(s.form.conversationWindow()));
    QTRY_VERIFY(!s.form.conversationWindow()->Busy());
    // Find in Files too: "it\u0141" was looked for as "it?" and found "Who set it?".
    for (const char* name : {control::kFindText, control::kFindInFilesText}) {
      auto* find = s.form.conversationWindow()->findChild<QLineEdit*>(QString::fromLatin1(name));
      find->setFocus();
      TypeChars(find, QStringLiteral("\u0141"));
      QCOMPARE(Said(), QStringLiteral("\u0141 is not in the Windows-1252 character set of "
                                      "dialogue files"));
      QCOMPARE(find->text(), QString());
    }
  }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
