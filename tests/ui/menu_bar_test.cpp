// The menu bar as a user meets it: above the client area, its commands enabled exactly when
// their buttons are, their keys running the buttons' handlers, and the Edit menu's steps named.

#include <QAction>
#include <QMenuBar>
#include <QtTest>

#include "ui/control_names.h"
#include "ui/editor_layout.h"
#include "ui/window_session.h"

using namespace dlg;
using namespace dlg::ui;
using dlg::test::ReadBytes;
using dlg::test::Texts;
using dlg::test::WindowSession;

namespace {

QAction* Action(QWidget& form, const char* text) {
  for (QAction* a : form.findChildren<QAction*>())
    if (a->text() == QLatin1String(text)) return a;
  return nullptr;
}

}  // namespace

class MenuBarTest : public QObject {
  Q_OBJECT

 private slots:
  void theMenuBarStandsAboveTheClientArea() {
    WindowSession<> s;
    const int bar = s.W(control::kMenuBar)->height();
    QVERIFY(bar > 0);
    QCOMPARE(s.W(control::kMenuBar)->geometry(), QRect(0, 0, s.form.width(), bar));
    QCOMPARE(s.W(control::kClientArea)->geometry(),
             QRect(0, bar, Px(kEditorClientWidth), Px(kEditorClientHeight)));
    QCOMPARE(s.form.size(), QSize(Px(kEditorClientWidth), Px(kEditorClientHeight) + bar));
    // A control of the table, in the window: its place in twips, moved down by the bar.
    QCOMPARE(s.W(control::kLoadFile)->mapTo(&s.form, QPoint(0, 0)), QPoint(8 + 16, 576 + bar));
    QStringList menus;
    for (QAction* a : s.W<QMenuBar>(control::kMenuBar)->actions()) menus << a->text();
    QCOMPARE(menus, Texts({"&File", "&Edit", "&Go", "&View", "&Help"}));
  }

  void menuCommandsAreEnabledExactlyWhenTheirButtons() {
    WindowSession<> s;
    const std::pair<const char*, const char*> pairs[] = {{"Load File", control::kLoadFile},
                                                         {"Save", control::kSave},
                                                         {"Save As...", control::kSaveAs},
                                                         {"Unload File", control::kUnloadFile},
                                                         {"Quit", control::kQuit},
                                                         {"Go to 1", control::kGoToFirst},
                                                         {"Go to Line", control::kGoToNumber}};
    auto same = [&](const char* state) {
      for (auto [text, name] : pairs) {
        QWidget* control = s.W(name);
        QVERIFY2(control, name);
        const bool pressable = control->isEnabledTo(&s.form) && control->isVisibleTo(&s.form);
        QVERIFY2(
            Action(s.form, text)->isEnabled() == pressable,
            qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(text), QLatin1String(state))));
      }
    };
    same("before a file is loaded");
    s.Load();
    same("with a file loaded");
    s.Type(control::kNewLineNumber, QStringLiteral("30"));
    s.Click(control::kAddLine);
    same("while a new line is typed");
  }

  void menuKeysRunTheButtonsHandlers() {
    WindowSession<> s;
    s.Load();
    // Typed and not yet written: Save writes the line before it asks.
    s.Type(control::kMaleText, QStringLiteral("Crossing is free."));
    s.platform.answers.push_back(MsgAnswer::Yes);
    QTest::keyClick(&s.form, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(s.Boxes().size(), 2);  // the question and "Changes Have Been Saved"
    QVERIFY(ReadBytes(s.dir.File("ferry.dlg")).starts_with("{1}{Crossing is free.}{}"));

    QTest::keyClick(&s.form, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), s.W(control::kGoToNumber));

    Action(s.form, "Keyboard Shortcuts")->trigger();
    const QStringList shortcuts = s.Boxes();
    QCOMPARE(shortcuts.size(), 1);
    for (const char* line : {"Keyboard Shortcuts: New Dialogue...: Ctrl+N\n", "\nSave: Ctrl+S\n",
                             "\nGo to Line: Ctrl+G, then Enter in the Go to: box\n",
                             "\nAdd Line: Enter in the Add Line number box\n",
                             "\nSave New Line: Ctrl+Return or Ctrl+Enter\n",
                             "\nZoom the map in: Ctrl++ or Ctrl+=, Ctrl and the mouse wheel\n",
                             "\nFollow a reply, go to a listed number, load a file, open a folder: "
                             "Enter in its list\n",
                             "\nChoose a reply in the Play window (Choose): 1 to 9\n"})
      QVERIFY2(shortcuts[0].contains(QString::fromLatin1(line)), line);

    Action(s.form, "About")->trigger();
    QCOMPARE(s.platform.boxes.size(), std::size_t{1});
    QVERIFY(s.platform.boxes[0].text.find(".:Version ") != std::string::npos);
  }

  void theEditMenuShapesLinesAndNamesTheStepItUndoes() {
    WindowSession<> s;
    s.Load();
    QAction* undo = Action(s.form, "Undo");
    QVERIFY(undo && !undo->isEnabled());
    // Line 10, an NPC line with no replies, deleted through the menu after its question.
    s.Type(control::kGoToNumber, QStringLiteral("10"));
    s.Click(control::kGoTo);
    s.platform.answers.push_back(MsgAnswer::Yes);
    Action(s.form, "Delete Line")->trigger();
    QCOMPARE(s.Boxes().size(), 1);
    QCOMPARE(undo->text(), QStringLiteral("Undo Delete Line 10"));
    QVERIFY(undo->isEnabled());
    // What the steps write and show: shape_lines_test.
    undo->trigger();
    QCOMPARE(Action(s.form, "Redo Delete Line 10")->isEnabled(), true);
    s.platform.inputs.push_back("15");
    Action(s.form, "Renumber Line...")->trigger();
    QCOMPARE(undo->text(), QStringLiteral("Undo Renumber Line 10 to 15"));
    QCOMPARE(s.Boxes(), QStringList());
  }
};

QTEST_MAIN(MenuBarTest)
#include "menu_bar_test.moc"
