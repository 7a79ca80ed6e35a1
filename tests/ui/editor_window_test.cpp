// The editor window as a user meets it, with real clicks: every button at least once, with the
// Flag Editor and the loss of focus that writes an edit before the click that took the focus,
// lists that must act on no row when none is selected, and the real boxes that guard the
// user's work.

#include <QtTest/qtestspontaneevent.h>

#include <QComboBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <filesystem>

#include "commands/browse.h"
#include "commands/editor.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"
#include "ui/editor_form.h"
#include "ui/field_boxes.h"
#include "ui/flag_editor_form.h"
#include "ui/list_view.h"
#include "ui/qt_platform.h"

using namespace dlg;
using namespace dlg::ui;

namespace {

// Line 1 with two replies (the second with a female form), and the lines they lead to.
const std::string kFerry =
    "{1}{Crossing costs three silver \x97 each way.}{}{}{}{}{}\r\n"
    "{2}{Too much.}{}{}{}{10}{}\r\n"
    "{3}{Here.}{Take it.}{8}{pc.money_get() >= 3}{20}{pc.money_adj(-3)}\r\n"
    "{10}{Then swim.}{}{}{}{ }{}\r\n"
    "{20}{Sit down.}{}{}{}{}{}\r\n";
const QString kNoRow = QStringLiteral("Invalid Response: Please select a line or response");

// A box of the real window as one line: title | text | buttons | icon.
std::string Expect(const std::string& title, const std::string& text,
                   QMessageBox::StandardButtons buttons, QMessageBox::Icon icon) {
  return title + " | " + text + " | " + std::to_string(int(buttons)) + " | " +
         std::to_string(int(icon));
}

// A close from the title bar, which the window system delivers.
void CloseFromTitleBar(QWidget* box) {
  QCloseEvent close;
  QSpontaneKeyEvent::setSpontaneous(&close);
  qApp->notify(box, &close);  // sendEvent would clear the spontaneous mark
}

// Answers every real box as the user would, in order, and remembers what each showed: a message
// box as above, an input box by its prompt. The answer NoButton is Escape and then the title
// bar's close; a box that stays after them is marked so and gets the next answer.
struct User {
  std::deque<QMessageBox::StandardButton> answers;
  std::deque<QString> inputs;  // "" cancels the input box
  std::vector<std::string> seen;
  QTimer timer;
  User() {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* input = qobject_cast<QInputDialog*>(modal); input && !inputs.empty()) {
        seen.push_back(input->labelText().toStdString());
        input->setTextValue(inputs.front());
        inputs.front().isEmpty() ? input->reject() : input->accept();
        inputs.pop_front();
      }
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (!box || !box->isVisible() || answers.empty()) return;
      seen.push_back(Expect(box->windowTitle().toStdString(), box->text().toStdString(),
                            box->standardButtons(), box->icon()));
      QMessageBox::StandardButton answer = answers.front();
      answers.pop_front();
      if (answer == QMessageBox::NoButton) {
        QTest::keyClick(box, Qt::Key_Escape);
        if (box->isVisible()) CloseFromTitleBar(box);
        if (!box->isVisible() || answers.empty()) return;
        seen.back() += " | stayed";
        answer = answers.front();
        answers.pop_front();
      }
      box->button(answer)->click();
    });
    timer.start(5);
  }
};

template <class Platform = test::ScriptedPlatform>
struct Session {
  test::TempDir dir;
  Platform platform;
  Editor ed{platform};
  EditorForm form{ed};

  Session() {
    dir.Put("ferry.dlg", kFerry);
    std::filesystem::create_directory(dir.File("sub"));
    form.Load();
    Dir1_Change(ed, dir.File("sub"));
    form.Render();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
  }
  template <class T = QWidget>
  T* W(const char* name) {
    return form.findChild<T*>(QString::fromLatin1(name));
  }
  void Click(const char* name) { QTest::mouseClick(W(name), Qt::LeftButton); }
  QPoint RowCentre(const char* list, int row) {
    ListView* l = W<ListView>(list);
    l->scrollTo(l->model()->index(row, 0));
    return l->visualRect(l->model()->index(row, 0)).center();
  }
  void ClickRow(const char* list, int row, Qt::KeyboardModifiers keys = {}) {
    QTest::mouseClick(W<ListView>(list)->viewport(), Qt::LeftButton, keys, RowCentre(list, row));
  }
  // As the window system delivers it: a click, then the second press as a double-click.
  void DoubleClick(const char* list, QPoint at) {
    QTest::mouseClick(W<ListView>(list)->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(W<ListView>(list)->viewport(), Qt::LeftButton, {}, at);
  }
  // Below the last row, inside the list: where no row stands.
  QPoint BelowTheRows(const char* list) {
    ListView* l = W<ListView>(list);
    const int last = l->rowCount() - 1;
    const int y = last < 0 ? 5 : l->visualRect(l->model()->index(last, 0)).bottom() + 5;
    return {5, y};
  }
  int RowOf(const char* list, const QString& text) {
    for (int i = 0; i < W<ListView>(list)->rowCount(); ++i)
      if (W<ListView>(list)->rowText(i).trimmed() == text) return i;
    return -1;
  }
  void Type(const char* box, const QString& text) {
    QTest::mouseClick(W(box), Qt::LeftButton);
    QTest::keyClick(W(box), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(W(box), text);
  }
  // Opens a drop-down with a click on its arrow and clicks the item.
  void Pick(const char* name, int index) {
    auto* combo = W<QComboBox>(name);
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 6, combo->height() / 2));
    QTRY_VERIFY(combo->view()->isVisible());
    QTest::qWait(QApplication::doubleClickInterval() + 50);  // the popup ignores a quick release
    const QRect item = combo->view()->visualRect(combo->model()->index(index, 0));
    QTest::mouseClick(combo->view()->viewport(), Qt::LeftButton, {}, item.center());
  }
  void Load(bool click = true, const std::string& folder = "") {
    Dir1_Change(ed, folder.empty() ? dir.Path() : folder);
    form.Render();
    if (click) ClickRow("File1", 0);
    if (click) Click("Command2");
  }
  QString Rows(const char* list) {
    QStringList rows;
    for (int i = 0; i < W<ListView>(list)->rowCount(); ++i) rows << W<ListView>(list)->rowText(i);
    return rows.join(QLatin1Char(','));
  }
  QString Text(const char* name) {
    if (auto* line = W<FieldLineEdit>(name)) return line->text();
    return W<FieldTextEdit>(name)->toPlainText();
  }
  // The line shown: number, kind, male text.
  QString Line() {
    const QLatin1Char bar('|');
    return Text("txtLineNum") + bar + Text("txtnpc") + bar + Text("txtDialogue");
  }
  QStringList Boxes() {
    QStringList out;
    for (const test::ShownBox& b : platform.boxes)
      out << QString::fromStdString(b.title + ": " + b.text);
    platform.boxes.clear();
    return out;
  }
  std::string Copy() { return test::ReadBytes(dir.File("ferry.dlg.bak")); }
};

}  // namespace

class EditorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void everyButtonDoesWhatItSays() {
    Session<> s;
    // Drive and folder lists: from the drive's root down to the folder, by double-clicks.
    const std::string drive = DriveOf(s.ed.window.Drive1.drives, s.dir.Path());
    const auto& drives = s.ed.window.Drive1.drives;
    s.Pick("Drive1", int(std::find(drives.begin(), drives.end(), drive) - drives.begin()));
    QCOMPARE(s.ed.window.Dir1.path, drive);
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
    QCOMPARE(s.form.windowTitle(), QStringLiteral("Ashgloam -DLG Editor - ferry.dlg"));
    QCOMPARE(s.Copy(), kFerry);

    s.Click("Picture1");  // the banner: the About box
    QCOMPARE(s.platform.boxes.size(), std::size_t{1});
    QVERIFY(s.platform.boxes[0].icon == MsgIcon::Information);
    s.Boxes();

    s.ClickRow("lstresponses", 2);  // the female row of the second reply shows its flags
    QCOMPARE(s.Text("txtflags"), QStringLiteral("CONDITIONAL FLAGS::  pc.money_get() >= 3\n"
                                                "EXECUTION FLAGS::  pc.money_adj(-3)"));
    s.ClickRow("lstresponses", 0);
    s.Click("Command4");  // Edit Response
    QCOMPARE(s.Line(), QStringLiteral("2|PC|Too much."));
    QCOMPARE(s.Text("txtlinejump"), QStringLiteral("10"));
    // The focus moves on the mouse press: the edit is written before Jump empties the view.
    s.Type("txtflags2", QStringLiteral("pc.say()"));
    s.Click("Command3");  // Jump
    QCOMPARE(s.Line(), QStringLiteral("10|NPC|Then swim."));
    std::string edited = kFerry;
    edited.insert(edited.find("{10}{}\r\n") + 5, "pc.say()");
    QCOMPARE(QByteArray::fromStdString(s.Copy()), QByteArray::fromStdString(edited));
    s.Type("txtgoline", QStringLiteral("20"));
    s.Click("Command5");  // Go to:
    QCOMPARE(s.Line(), QStringLiteral("20|NPC|Sit down."));
    s.Click("Command7");  // Go to 1
    QCOMPARE(s.Line(), QStringLiteral("1|NPC|Crossing costs three silver \u2014 each way."));
    s.DoubleClick("lstusednum",
                  s.RowCentre("lstusednum", s.RowOf("lstusednum", QStringLiteral("10"))));
    QCOMPARE(s.Line(), QStringLiteral("10|NPC|Then swim."));

    s.Type("txtaddline", QStringLiteral("15"));
    s.Click("cmdaddline");  // Add Line
    QCOMPARE(s.Text("txtLineNum"), QStringLiteral("15"));
    QVERIFY(s.W("lstnpc")->isVisible() && !s.W("txtnpc")->isVisible());
    QVERIFY(!s.W("txtlinejump")->isEnabled() && !s.W("Command7")->isVisible());
    s.Pick("lstnpc", 1);  // PC
    QCOMPARE(s.W<QComboBox>("lstnpc")->currentText(), QStringLiteral("PC"));
    QVERIFY(s.W("txtlinejump")->isEnabled());
    s.Type("txtDialogue", QStringLiteral("Wait."));
    s.Type("txtlinejump", QStringLiteral("0"));
    s.Click("cmdsaveline");  // Save New Line
    std::string added = edited;
    added.insert(added.find("{20}{Sit"), "{15}{Wait.}{}{}{}{0}{}\r\n");
    QCOMPARE(QByteArray::fromStdString(s.Copy()), QByteArray::fromStdString(added));
    QCOMPARE(s.Rows("lstusednum"), QStringLiteral("1,2,3,10,15,20"));
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
    added.insert(added.find("{15}{Wait.}{}{}{") + 16, entry.toStdString());
    QCOMPARE(QByteArray::fromStdString(s.Copy()), QByteArray::fromStdString(added));
    s.Click("cmdadd");
    QCOMPARE(s.form.flagEditorForm(), flags);  // only hidden before: the same window again
    flags->close();                            // its own close control destroys it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!s.form.flagEditorForm() && s.W("cmdadd")->isEnabled());

    s.platform.answers = {MsgAnswer::Yes};
    s.Click("Commandsave");  // Save
    QCOMPARE(test::ReadBytes(s.dir.File("ferry.dlg")), added);
    QCOMPARE(s.Boxes().last(), QStringLiteral("Saving Changes: Changes Have Been Saved"));
    s.platform.inputs = {"copy"};
    s.Click("Command9");  // Save As
    QCOMPARE(test::ReadBytes(s.dir.File("copy.dlg")), added);
    s.platform.answers = {MsgAnswer::No, MsgAnswer::No};
    s.Click("Command8");  // Unload File, answered No
    s.Click("Command6");  // Quit, answered No
    QVERIFY(s.form.isVisible() && s.W("Frame1")->isEnabled());
    QCOMPARE(s.Boxes().size(), 3);
    s.platform.answers = {MsgAnswer::Yes};
    QVERIFY(s.form.close());  // the close box, answered Yes
    QCOMPARE(s.Boxes(), QStringList{QStringLiteral("Quit?: Are you sure you want to quit?")});
    QVERIFY(s.platform.ended);
    QVERIFY(!std::filesystem::exists(s.dir.File("ferry.dlg.bak")));
  }

  // Where no row stands a double-click acts on no selection, as the list's own rows would.
  void doubleClickBelowTheRowsAsksForARow() {
    Session<> s;
    s.Load();
    for (const char* list : {"lstresponses", "lstusednum"}) {
      s.DoubleClick(list, s.BelowTheRows(list));
      QCOMPARE(s.Boxes(), QStringList{kNoRow});
      QCOMPARE(s.Text("txtLineNum"), QStringLiteral("1"));
    }
    s.Type("txtaddline", QStringLiteral("15"));
    s.Click("cmdaddline");  // the response list is now empty
    s.DoubleClick("lstresponses", s.BelowTheRows("lstresponses"));
    QCOMPARE(s.Boxes(), QStringList{kNoRow});
  }

  // A row deselected with Ctrl+click no longer counts.
  void ctrlClickDeselectsTheRow() {
    Session<> s;
    s.Load(false);
    s.ClickRow("File1", 0);
    s.ClickRow("File1", 0, Qt::ControlModifier);
    s.Click("Command2");  // Load File
    QCOMPARE(
        s.Boxes(),
        QStringList{QStringLiteral("Select a .DLG file: Please select a dialogue (*.DLG) file")});
    QVERIFY(!s.W("Frame1")->isEnabled());
    s.ClickRow("File1", 0);
    s.Click("Command2");
    s.ClickRow("lstresponses", 1);
    s.ClickRow("lstresponses", 1, Qt::ControlModifier);
    QCOMPARE(s.W<ListView>("lstresponses")->selectedRow(), -1);
    s.Click("Command4");  // Edit Response
    QCOMPARE(s.Boxes(), QStringList{kNoRow});
    QCOMPARE(s.Line(), QStringLiteral("1|NPC|Crossing costs three silver \u2014 each way."));
  }

  // The real boxes and their answers, above all the three that guard the user's work: the
  // recovery question at Load File, the refusal of a file open in another window, and the
  // question before Save overwrites a change made by another program. Escape and the title bar
  // close a box with one answer and the recovery question (as Cancel), never a Yes/No question.
  // Paths show as UTF-8.
  void theRealBoxesShowTheirTitlesTextsButtonsAndIcons() {
    Session<QtPlatform> first;
    const std::string folder = first.dir.File("m\xC3\xA4rta"), path = folder + "/ferry.dlg";
    std::filesystem::create_directory(folder);
    first.dir.Put("m\xC3\xA4rta/ferry.dlg", kFerry);
    first.dir.Put("m\xC3\xA4rta/ferry.dlg.bak", "{1}{Left by a crash}{}{}{}{}{}\r\n");
    User user;
    user.answers = {QMessageBox::NoButton};
    first.Load(true, folder);
    QVERIFY(!first.W("Frame1")->isEnabled());
    user.answers = {QMessageBox::Yes};
    first.Load(true, folder);
    const std::string recovery =
        Expect("Unsaved Changes Found",
               "The working copy " + path + ".bak holds changes that were never saved to " + path +
                   ". Yes: go on with those changes. No: discard them and load the file as "
                   "it is. Cancel: load nothing.",
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Warning);
    QCOMPARE(user.seen, (std::vector{recovery, recovery}));
    QCOMPARE(first.Line(), QStringLiteral("1|NPC|Left by a crash"));

    Session<QtPlatform> second;
    user.answers = {QMessageBox::NoButton};
    second.Load(true, folder);
    QCOMPARE(
        user.seen.at(2),
        Expect("File In Use", path + " is open in another editor window. Unload it there first.",
               QMessageBox::Ok, QMessageBox::Warning));
    QVERIFY(second.W("Command2")->isEnabled());
    QVERIFY(!second.W("Frame1")->isEnabled());

    const std::string theirs = "{1}{Theirs}{}{}{}{}{}\r\n";
    first.dir.Put("m\xC3\xA4rta/ferry.dlg", theirs);
    user.answers = {QMessageBox::NoButton, QMessageBox::Yes, QMessageBox::NoButton,
                    QMessageBox::No};
    first.Click("Commandsave");
    QCOMPARE(user.seen.at(3),
             Expect("Oberwrite?", "Are you sure you wish to overwrite " + path + "?",
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::NoIcon) +
                 " | stayed");
    QCOMPARE(user.seen.at(4),
             Expect("File Changed on Disk",
                    path + " was changed by another program after it was loaded. Save over those "
                           "changes?",
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::Warning) +
                 " | stayed");
    QCOMPARE(test::ReadBytes(path), theirs);

    // Save As: a name typed with a character beyond ASCII is a UTF-8 file name; a cancelled
    // input box saves nothing.
    user.inputs = {QStringLiteral("f\u00E4hre"), QString()};
    user.answers = {QMessageBox::Ok};
    first.Click("Command9");
    first.Click("Command9");
    const std::string prompt = "Enter the name for the new .DLG file: ";
    QCOMPARE(std::vector(user.seen.begin() + 5, user.seen.end()),
             (std::vector{prompt,
                          Expect("Saving Changes", "Changes Have Been Saved", QMessageBox::Ok,
                                 QMessageBox::Information),
                          prompt}));
    QCOMPARE(test::ReadBytes(folder + "/f\xC3\xA4hre.dlg"), test::ReadBytes(path + ".bak"));
    QCOMPARE(std::distance(std::filesystem::directory_iterator(folder), {}), 3);

    user.answers = {QMessageBox::NoButton};
    first.Type("txtaddline", QStringLiteral("1"));
    first.Click("cmdaddline");
    QCOMPARE(user.seen.back(), Expect("Line Already Exists",
                                      "The line already exists, please enter a different number",
                                      QMessageBox::Ok, QMessageBox::Critical));
    QCOMPARE(user.seen.size(), std::size_t{9});
  }

  // LF-only line ends make the first record swallow the file; clicking through its boxes
  // without typing must not write that back.
  void clicksThroughTheBoxesOfAnOddFileWriteNothing() {
    Session<> s;
    const std::string lfOnly = "{1}{One}{}{}{}{}{}\n{2}{Two}{}{}{}{0}{}\n{3}{Three}{}{}{}{0}{}\n";
    s.dir.Put("ferry.dlg", lfOnly);
    s.Load();
    for (const char* box : {"txtDialogue", "txtfemale", "txtIntCheck", "txtFlags1", "txtlinejump",
                            "txtflags2", "txtDialogue"}) {
      s.Click(box);
      QVERIFY(s.W(box)->hasFocus());
    }
    QCOMPARE(s.Copy(), lfOnly);
  }
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
