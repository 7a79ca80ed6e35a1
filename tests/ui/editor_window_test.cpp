// The editor window as a user meets it, with real clicks: every button at least once (Save, Save
// As and the close box with the real boxes: platform_contract_test; Unload File and Quit:
// conversation_window_test), with the Flag Editor and the loss of focus that writes an edit before
// the click that took the focus, and lists that must act on no row when none is selected. The
// menu bar above the client area, its commands enabled exactly when their buttons are, their keys
// running the buttons' handlers, and the Edit menu's steps named.

#include <QComboBox>
#include <QMenuBar>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>
#include <filesystem>

#include "ui/editor_layout.h"
#include "ui/flag_editor_form.h"
#include "ui/window_session.h"

using namespace dlg;
using namespace dlg::test;

namespace {

const QString kNoRow = QStringLiteral("Invalid Response: Please select a line or response");

}  // namespace

class EditorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void everyButtonDoesWhatItSays() {
    WindowSession<> s;
    // Drive and folder lists: from the drive's root down to the folder, by double-clicks.
    const std::string drive = DriveOf(s.ed.window.driveList.drives, s.dir.Path());
    const auto& drives = s.ed.window.driveList.drives;
    s.Pick("Drive1", int(std::find(drives.begin(), drives.end(), drive) - drives.begin()));
    QCOMPARE(s.ed.window.folderList.path, drive);
    const std::filesystem::path rest =
        std::filesystem::path(s.dir.Path()).lexically_relative(drive);
    for (const auto& name : rest) {
      const int row = s.RowOf("Dir1", QString::fromStdString(name.string()));
      QVERIFY2(row >= 0, name.c_str());
      s.DoubleClick("Dir1", s.RowCentre("Dir1", row));
    }
    QCOMPARE(s.Rows("File1"), QStringLiteral("ferry.dlg"));
    s.ClickRow("File1", 0);
    s.Click("Command2");  // Load File
    QCOMPARE(s.Line(), QStringLiteral("1|NPC|Crossing costs three silver \u2014 each way."));

    s.Click("Picture1");  // the banner: the About box, as the Help menu's About shows it
    s.Action("About")->trigger();
    QCOMPARE(s.platform.boxes.size(), std::size_t{2});
    for (const ShownBox& about : s.platform.boxes)
      QVERIFY(about.icon == MsgIcon::Information &&
              about.text.find(".:Version " DLG_VERSION ":.") != std::string::npos);
    s.Boxes();

    s.ClickRow("lstresponses", 2);  // the female row of the second reply shows its flags
    QCOMPARE(s.Text("txtflags"), QStringLiteral("CONDITIONAL FLAGS::  pc.money_get() >= 3\n"
                                                "EXECUTION FLAGS::  pc.money_adj(-3)"));
    s.ClickRow("lstresponses", 0);
    s.Click("Command4");  // Edit Response
    QCOMPARE(s.Line(), QStringLiteral("2|PC|Too much."));
    // The focus moves on the mouse press: the edit is written before Jump empties the view.
    s.Type("txtflags2", QStringLiteral("pc.say()"));
    s.Click("Command3");  // Jump
    QCOMPARE(s.Line(), QStringLiteral("10|NPC|Then swim."));
    std::string edited = kFerry;
    edited.insert(edited.find("{10}{}\r\n") + 5, "pc.say()");
    QCOMPARE(QByteArray::fromStdString(s.Copy()), QByteArray::fromStdString(edited));
    s.GoTo("20");
    QCOMPARE(s.Line(), QStringLiteral("20|NPC|Sit down."));
    s.Click("Command7");  // Go to 1
    QCOMPARE(s.Line(), QStringLiteral("1|NPC|Crossing costs three silver \u2014 each way."));
    s.DoubleClick("lstusednum",
                  s.RowCentre("lstusednum", s.RowOf("lstusednum", QStringLiteral("10"))));
    QCOMPARE(s.Line(), QStringLiteral("10|NPC|Then swim."));

    // Add Line twice: the second new line still shows "PC", and its jump box is open.
    std::string added = edited;
    for (const std::string number : {"15", "16"}) {
      s.Type("txtaddline", QString::fromStdString(number));
      s.Click("cmdaddline");  // Add Line
      QCOMPARE(s.Text("txtLineNum"), QString::fromStdString(number));
      QVERIFY(s.W("lstnpc")->isVisible() && !s.W("txtnpc")->isVisible());
      QVERIFY(!s.W("Command7")->isVisible());
      if (number == "15") {
        QVERIFY(!s.W("txtlinejump")->isEnabled());
        s.Pick("lstnpc", 1);  // PC
      }
      QCOMPARE(s.W<QComboBox>("lstnpc")->currentText(), QStringLiteral("PC"));
      QVERIFY(s.W("txtlinejump")->isEnabled());
      s.Type("txtDialogue", QStringLiteral("Wait."));
      s.Type("txtlinejump", QStringLiteral("0"));
      s.Click("cmdsaveline");  // Save New Line
      added.insert(added.find("{20}{Sit"), "{" + number + "}{Wait.}{}{}{}{0}{}\r\n");
    }
    QVERIFY(!s.W("cmdsaveline")->isVisible() && s.W("Command7")->isVisible());
    QCOMPARE(s.Boxes(), QStringList());

    // Add Flags: the Flag Editor composes into the field; the next loss of focus writes it.
    s.Click("Command10");
    FlagEditorForm* flags = s.form.flagEditorForm();
    QVERIFY(flags && QTest::qWaitForWindowActive(flags));
    QVERIFY(!s.W("Command10")->isEnabled());
    auto* catalog = flags->findChild<QComboBox*>(QStringLiteral("listbool"));
    catalog->setCurrentIndex(14);
    emit catalog->activated(14);
    const QString entry = QLatin1Char(' ') + catalog->itemText(14);
    QTest::mouseClick(flags->findChild<QWidget*>(QStringLiteral("Command3")), Qt::LeftButton);
    QTest::mouseClick(flags->findChild<QWidget*>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(s.Text("txtFlags1"), entry);
    QCOMPARE(s.Copy(), added);
    QTRY_COMPARE(QApplication::activeWindow(), &s.form);
    s.Click("txtIntCheck");
    s.Click("txtgoline");
    added.insert(added.find("{16}{Wait.}{}{}{") + 16, entry.toStdString());
    QCOMPARE(QByteArray::fromStdString(s.Copy()), QByteArray::fromStdString(added));
    s.Click("cmdadd");
    QCOMPARE(s.form.flagEditorForm(), flags);  // only hidden before: the same window again
    flags->close();                            // its own close control destroys it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!s.form.flagEditorForm() && s.W("cmdadd")->isEnabled());
  }

  // Where no row stands a double-click acts on no selection, as the list's own rows would; a new
  // line's list of replies is empty.
  void doubleClickBelowTheRowsAsksForARow() {
    WindowSession<> s;
    s.Load();
    auto below = [&s](const char* list, const char* shown) {  // inside the list, below its rows
      ListView* l = s.W<ListView>(list);
      const int last = l->rowCount() - 1;
      s.DoubleClick(list,
                    {5, last < 0 ? 5 : l->visualRect(l->model()->index(last, 0)).bottom() + 5});
      QCOMPARE(s.Boxes(), QStringList{kNoRow});
      QCOMPARE(s.Text("txtLineNum"), QLatin1String(shown));
    };
    below("lstresponses", "1");
    below("lstusednum", "1");
    s.Type("txtaddline", QStringLiteral("15"));
    s.Click("cmdaddline");
    below("lstresponses", "15");
  }

  // Replies followed by double-click toward lines with more replies, fewer, none and a missing
  // line, from rows at both ends of the list: each shows its line and no box but its own.
  void followingRepliesByDoubleClickRaisesNoStrayBox() {
    WindowSession<> s;
    s.LoadFerry(
        "{1}{Welcome.}{}{}{}{}{}\r\n{2}{More?}{}{}{}{10}{}\r\n{3}{One?}{}{}{}{20}{}\r\n"
        "{4}{Bye.}{}{}{}{0}{}\r\n{5}{Lost.}{}{}{}{99}{}\r\n{10}{Many.}{}{}{}{}{}\r\n"
        "{11}{a}{}{}{}{1}{}\r\n{12}{b}{}{}{}{1}{}\r\n{13}{c}{}{}{}{1}{}\r\n"
        "{14}{d}{}{}{}{1}{}\r\n{15}{e}{}{}{}{20}{}\r\n{20}{Few.}{}{}{}{}{}\r\n"
        "{21}{back}{}{}{}{1}{}\r\n");
    const std::pair<int, const char*> steps[] = {
        {0, "10|NPC|Many."},       // to a line with more
        {4, "20|NPC|Few."},        // the last of five rows, toward one
        {0, "1|NPC|Welcome."},     // the only row, back to four replies
        {2, "||-END OF DIALOG-"},  // the end: the list empties
    };
    for (const auto& [row, line] : steps) {
      s.DoubleClick("lstresponses", s.RowCentre("lstresponses", row));
      QCOMPARE(s.Line(), QString::fromLatin1(line));
      QCOMPARE(s.Boxes(), QStringList());
    }
    s.Click("Command7");                                            // Go to 1
    s.DoubleClick("lstresponses", s.RowCentre("lstresponses", 3));  // a missing line
    QCOMPARE(s.Boxes(), Texts({"Line does not exist: The line 99 does not exist!"}));
  }

  // The five reply columns are one table: scrolled in any of them (by the wheel, or by a click
  // that brings a row into view and shows its reply), each row stands at the same height in all.
  // One wiring joins them all: the first and the last column, and the replies.
  void theReplyColumnsScrollAsOne() {
    WindowSession<> s;
    std::string file = "{1}{Buy something?}{}{}{}{}{}\r\n";
    for (int i = 2; i <= 41; ++i)
      file += "{" + std::to_string(i) + "}{I will buy item " + std::to_string(i) + "}{}{" +
              std::to_string(i % 7) + "}{}{" + std::to_string(100 + i) + "}{}\r\n";
    s.LoadFerry(file);
    const char* columns[] = {"lsthideline", "lstresponses", "lstint", "lstForM", "lstline"};
    for (const char* c : columns)  // the rows are laid out once events run
      QTRY_VERIFY(s.W<ListView>(c)->verticalScrollBar()->maximum() > 0);
    const std::pair<const char*, int> moves[] = {
        {"lsthideline", 39}, {"lstresponses", 38}, {"lstline", 37}};
    for (auto [column, row] : moves) {
      ListView* moved = s.W<ListView>(column);
      auto alignedThenHome = [&] {
        const int top = moved->visualRect(moved->model()->index(0, 0)).top();
        QVERIFY2(top < 0, column);  // it did scroll
        for (const char* c : columns) {
          ListView* l = s.W<ListView>(c);
          QCOMPARE(l->visualRect(l->model()->index(0, 0)).top(), top);
        }
        for (const char* c : columns) s.W<ListView>(c)->verticalScrollBar()->setValue(0);
      };
      QWheelEvent wheel(QPointF(5, 5), moved->viewport()->mapToGlobal(QPointF(5, 5)), {}, {0, -120},
                        Qt::NoButton, {}, Qt::NoScrollPhase, false);
      QApplication::sendEvent(moved->viewport(), &wheel);
      alignedThenHome();
      s.ClickRow(column, row);  // brought into view by the click
      alignedThenHome();
    }
    QCOMPARE(s.Boxes(), QStringList());
  }

  // A row deselected with Ctrl+click no longer counts.
  void ctrlClickDeselectsTheRow() {
    WindowSession<> s;
    s.Load(false);
    s.ClickRow("File1", 0);
    s.ClickRow("File1", 0, Qt::ControlModifier);
    s.Click("Command2");  // Load File
    QCOMPARE(s.Boxes(), Texts({"Select a .DLG file: Please select a dialogue (*.DLG) file"}));
    QVERIFY(!s.W("Frame1")->isEnabled());
    s.Load();
    s.ClickRow("lstresponses", 1);
    s.ClickRow("lstresponses", 1, Qt::ControlModifier);
    QCOMPARE(s.W<ListView>("lstresponses")->selectedRow(), -1);
    s.Click("Command4");  // Edit Response
    QCOMPARE(s.Boxes(), QStringList{kNoRow});
    QCOMPARE(s.Line(), QStringLiteral("1|NPC|Crossing costs three silver \u2014 each way."));
  }

  // A reply of megabytes shows its first 4,096 bytes in its row and comes whole into the box.
  void aHugeReplyShowsItsStartInItsRowAndWholeWhenEdited() {
    WindowSession<> s;
    const std::string reply(2'000'000, 'w');
    s.LoadFerry("{1}{Well?}{}{}{}{}{}\r\n{2}{" + reply + "}{}{}{}{1}{}\r\n");
    QCOMPARE(s.Rows("lstresponses"), QString(4096, QLatin1Char('w')));
    s.ClickRow("lstresponses", 0);
    s.Click("Command4");  // Edit Response
    QCOMPARE(s.W<FieldTextEdit>("txtDialogue")->bytes(), reply);
  }

  // LF-only line ends make the first record swallow the file; clicking through its boxes
  // without typing must not write that back.
  void clicksThroughTheBoxesOfAnOddFileWriteNothing() {
    WindowSession<> s;
    const std::string lfOnly = "{1}{One}{}{}{}{}{}\n{2}{Two}{}{}{}{0}{}\n{3}{Three}{}{}{}{0}{}\n";
    s.LoadFerry(lfOnly);
    for (const char* box : {"txtDialogue", "txtfemale", "txtIntCheck", "txtFlags1", "txtlinejump",
                            "txtflags2", "txtDialogue"}) {
      s.Click(box);
      QVERIFY(s.W(box)->hasFocus());
    }
    QCOMPARE(s.Copy(), lfOnly);
  }

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
        const bool pressable = control->isEnabledTo(&s.form) && control->isVisibleTo(&s.form);
        QVERIFY2(s.Action(text)->isEnabled() == pressable,
                 qPrintable(QString::fromLatin1(text) + u' ' + QLatin1String(state)));
      }
    };
    same("before a file is loaded");
    s.Load();
    same("with a file loaded");
    s.Type(control::kNewLineNumber, QStringLiteral("30"));
    s.Click(control::kAddLine);
    same("while a new line is typed");
    // The new line is no record yet: what works on the record shown waits for it.
    for (const char* text : {"Delete Line", "Renumber Line...", "Play from Here"})
      QVERIFY2(!s.Action(text)->isEnabled(), text);
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

    s.Action("Keyboard Shortcuts")->trigger();
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
  }

  void theEditMenuShapesLinesAndNamesTheStepItUndoes() {
    WindowSession<> s;
    s.Load();
    QAction* undo = s.Action("Undo");
    QVERIFY(undo && !undo->isEnabled());
    // Line 10, an NPC line with no replies, deleted through the menu after its question.
    s.GoTo("10");
    s.platform.answers.push_back(MsgAnswer::Yes);
    s.Action("Delete Line")->trigger();
    QCOMPARE(s.Boxes().size(), 1);
    QCOMPARE(undo->text(), QStringLiteral("Undo Delete Line 10"));
    QVERIFY(undo->isEnabled());
    // What the steps write and show: shape_lines_test.
    undo->trigger();
    QCOMPARE(s.Action("Redo Delete Line 10")->isEnabled(), true);
    s.platform.inputs.push_back("15");
    s.Action("Renumber Line...")->trigger();
    QCOMPARE(undo->text(), QStringLiteral("Undo Renumber Line 10 to 15"));
    QCOMPARE(s.Boxes(), QStringList());
    // Typing runs no command: the menu says what Undo takes back as it opens.
    QTest::keyClicks(s.W(control::kMaleText), QStringLiteral("x"));
    emit qobject_cast<QMenu*>(undo->associatedObjects().constFirst())->aboutToShow();
    QCOMPARE(undo->text(), QStringLiteral("Undo Typing"));
  }
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
