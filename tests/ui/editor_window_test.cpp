// The editor window and the Flag Editor as a user meets them: start-up states, loading a file
// with real clicks, the loss of focus that writes an edit before the click that took the focus,
// following a reply, the About box and the Flag Editor's life.

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "commands/editor.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"
#include "ui/editor_form.h"
#include "ui/field_boxes.h"
#include "ui/flag_editor_form.h"
#include "ui/list_view.h"

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

struct Session {
  test::TempDir dir;
  test::ScriptedPlatform platform;
  Editor ed{platform};
  EditorForm form{ed};

  template <class T = QWidget>
  T* W(const char* name) {
    return form.findChild<T*>(QString::fromLatin1(name));
  }
  void Show() {
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
  }
  // Puts the file in a fresh folder, moves the browse lists there and loads it with clicks.
  void Load(const std::string& bytes) {
    dir.Put("ferry.dlg", bytes);
    Dir1_Change(ed, dir.Path());
    form.Render();
    ClickRow(W<ListView>("File1"), 0);
    QTest::mouseClick(W("Command2"), Qt::LeftButton);
  }
  static void ClickRow(ListView* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, row));
  }
  static QPoint RowCentre(ListView* list, int row) {
    return list->visualRect(list->model()->index(row, 0)).center();
  }
  QStringList Rows(const char* list) {
    QStringList rows;
    ListView* l = W<ListView>(list);
    for (int i = 0; i < l->rowCount(); ++i) rows << l->rowText(i);
    return rows;
  }
  QString Text(const char* name) {
    QWidget* w = W(name);
    if (auto* line = qobject_cast<FieldLineEdit*>(w)) return line->text();
    return static_cast<FieldTextEdit*>(w)->toPlainText();
  }
};

}  // namespace

class EditorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithOnlyTheBrowseFrameResponding() {
    Session s;
    QCOMPARE(s.form.objectName(), QStringLiteral("Ashgloamdlgeditor"));
    QCOMPARE(s.form.windowTitle(), QStringLiteral("Ashgloam -DLG Editor"));
    QCOMPARE(s.form.size(), QSize(912, 736));
    const struct {
      const char* name;
      bool enabled;
      bool visible;
    } cases[] = {
        {"frmBrowse", true, true},  {"File1", true, true},         {"Command2", true, true},
        {"Command6", true, true},   {"Command8", false, true},     {"Commandsave", false, true},
        {"Command9", false, true},  {"Frame1", false, true},       {"Picture1", false, true},
        {"Command10", false, true}, {"cmdadd", false, true},       {"txtnpc", false, true},
        {"lstnpc", false, false},   {"cmdsaveline", false, false}, {"cdmsave", false, false},
        {"Command1", false, false}, {"lstflags", false, false},    {"Command7", false, true},
    };
    for (const auto& c : cases) {
      QWidget* w = s.W(c.name);
      QVERIFY2(w, c.name);
      QVERIFY2(w->isEnabled() == c.enabled, c.name);
      QVERIFY2(w->isVisibleTo(&s.form) == c.visible, c.name);
    }
    const struct {
      const char* name;
      QString accessible;
    } names[] = {
        {"txtDialogue", QStringLiteral("Male Dialogue:")},
        {"lstusednum", QStringLiteral("Dialogue Line Numbers:")},
        {"lsthideline", QStringLiteral("Line Number:")},
        {"txtflags2", QStringLiteral("Executuion Flags:")},
        {"Command5", QStringLiteral("Go to:")},
    };
    for (const auto& n : names) QCOMPARE(s.W(n.name)->accessibleName(), n.accessible);
    QCOMPARE(s.W<QGroupBox>("Frame2")->title(), QStringLiteral("Responses"));
    QCOMPARE(s.W("lstusednum")->palette().color(QPalette::Active, QPalette::Text),
             QColor(0, 0, 192));
  }

  void loadFileWithNothingSelectedOnlyAsks() {
    Session s;
    Dir1_Change(s.ed, s.dir.Path());
    s.form.Render();
    QTest::mouseClick(s.W("Command2"), Qt::LeftButton);
    QCOMPARE(s.platform.boxes.size(), std::size_t{1});
    QVERIFY(s.platform.boxes[0] ==
            (test::ShownBox{"Please select a dialogue (*.DLG) file", "Select a .DLG file",
                            MsgButtons::Ok, MsgIcon::None}));
    QCOMPARE(s.form.windowTitle(), QStringLiteral("Ashgloam -DLG Editor"));
    QVERIFY(!s.W("Frame1")->isEnabled());
  }

  void loadFileShowsTheFirstLineAndMakesTheWorkingCopy() {
    Session s;
    s.Load(kFerry);
    QCOMPARE(s.form.windowTitle(), QStringLiteral("Ashgloam -DLG Editor - ferry.dlg"));
    QCOMPARE(s.Text("txtLineNum"), QStringLiteral("1"));
    QCOMPARE(s.Text("txtnpc"), QStringLiteral("NPC"));
    QCOMPARE(s.Text("txtDialogue"), QStringLiteral("Crossing costs three silver \u2014 each way."));
    QCOMPARE(s.Rows("lstresponses"),
             QStringList({QStringLiteral("Too much."), QStringLiteral("Here."),
                          QStringLiteral("Take it.")}));
    QCOMPARE(s.Rows("lsthideline"),
             QStringList({QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("3")}));
    QCOMPARE(s.Rows("lstusednum"),
             QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                          QStringLiteral("10"), QStringLiteral("20")}));
    QCOMPARE(test::ReadBytes(s.dir.File("ferry.dlg.bak")), kFerry);
    QVERIFY(s.W("Frame1")->isEnabled());
    QVERIFY(!s.W("Command2")->isEnabled());
    QVERIFY(!s.W("File1")->isEnabled());
    QVERIFY(s.W("Command8")->isEnabled());
  }

  // Qt moves the focus on the mouse press, so the edited line is in the working copy before
  // "Go to:" shows another line.
  void lossOfFocusWritesTheEditBeforeTheClick() {
    Session s;
    s.Show();
    s.Load(kFerry);
    QTest::mouseClick(s.W("txtgoline"), Qt::LeftButton);
    QTest::keyClicks(s.W("txtgoline"), QStringLiteral("20"));
    QTest::mouseClick(s.W("txtflags2"), Qt::LeftButton);
    QTest::keyClicks(s.W("txtflags2"), QStringLiteral("npc.destroy()"));
    QTest::mouseClick(s.W("Command5"), Qt::LeftButton);

    std::string expected = kFerry;
    expected.replace(0, expected.find("\r\n"),
                     "{1}{Crossing costs three silver \x97 each way.}{}{}{}{}{npc.destroy()}");
    QCOMPARE(test::ReadBytes(s.dir.File("ferry.dlg.bak")), expected);
    QCOMPARE(s.Text("txtLineNum"), QStringLiteral("20"));
    QCOMPARE(s.Text("txtDialogue"), QStringLiteral("Sit down."));
  }

  void clickOnAReplyShowsItsFlagsAndADoubleClickFollowsIt() {
    Session s;
    s.Show();
    s.Load(kFerry);
    ListView* replies = s.W<ListView>("lstresponses");
    Session::ClickRow(replies, 2);
    QCOMPARE(s.Text("txtflags"), QStringLiteral("CONDITIONAL FLAGS::  pc.money_get() >= 3\n"
                                                "EXECUTION FLAGS::  pc.money_adj(-3)"));
    // As the window system delivers it: a click, then the second press as a double-click.
    Session::ClickRow(replies, 0);
    QTest::mouseDClick(replies->viewport(), Qt::LeftButton, {}, Session::RowCentre(replies, 0));
    QCOMPARE(s.Text("txtLineNum"), QStringLiteral("10"));
    QCOMPARE(s.Text("txtDialogue"), QStringLiteral("Then swim."));
    QCOMPARE(s.Rows("lstresponses"), QStringList());
  }

  void theBannerOpensTheAboutBox() {
    Session s;
    s.Load(kFerry);
    QTest::mouseClick(s.W("Picture1"), Qt::LeftButton);
    QVERIFY(!s.platform.boxes.empty());
    const test::ShownBox& about = s.platform.boxes.back();
    QCOMPARE(about.title, std::string("About the Ashgloam Dialogue Editor"));
    QVERIFY(about.icon == MsgIcon::Information && about.buttons == MsgButtons::Ok);
    QVERIFY(about.text.find(" .:Version 0.81:. ") != std::string::npos);
  }

  void closingWithAFileLoadedAsksAndNoKeepsTheWindow() {
    Session s;
    s.Show();
    s.Load(kFerry);
    s.platform.answers = {MsgAnswer::No};
    QVERIFY(!s.form.close());
    QVERIFY(s.form.isVisible());
    QCOMPARE(s.platform.boxes.back().buttons, MsgButtons::YesNo);
    QVERIFY(test::FileExists(s.dir.File("ferry.dlg.bak")));
  }

  void flagEditorOpensAcceptsAndIsDestroyedByItsCloseControl() {
    Session s;
    s.Show();
    s.Load(kFerry);
    QTest::mouseClick(s.W("Command10"), Qt::LeftButton);
    FlagEditorForm* flags = s.form.flagEditorForm();
    QVERIFY(flags);
    QVERIFY(QTest::qWaitForWindowActive(flags));
    QCOMPARE(flags->objectName(), QStringLiteral("Form1"));
    QCOMPARE(flags->windowTitle(), QStringLiteral("Flag Editor"));
    QCOMPARE(flags->size(), QSize(602, 180));
    auto* edit = flags->findChild<FieldLineEdit*>(QStringLiteral("txtedit"));
    QTRY_COMPARE(QApplication::focusWidget(), edit);
    auto* catalog = flags->findChild<QComboBox*>(QStringLiteral("listbool"));
    QCOMPARE(catalog->count(), 33);
    QCOMPARE(catalog->currentText(), QString());
    QCOMPARE(flags->findChild<QComboBox*>(QStringLiteral("listexec"))->count(), 124);
    QVERIFY(flags->findChild<QRadioButton*>(QStringLiteral("Option1_2"))->isChecked());
    QVERIFY(flags->findChild<QWidget*>(QStringLiteral("Frame1"))->isVisibleTo(flags));
    QVERIFY(!flags->findChild<QWidget*>(QStringLiteral("Frame2"))->isVisibleTo(flags));
    QVERIFY(!s.W("Command10")->isEnabled());

    // Pick an entry, insert it with "NONE" and accept: the field shows the composed text.
    catalog->setCurrentIndex(14);
    emit catalog->activated(14);
    QTest::mouseClick(flags->findChild<QWidget*>(QStringLiteral("Command3")), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral(" is_daytime()"));
    QTest::mouseClick(flags->findChild<QWidget*>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(s.Text("txtFlags1"), QStringLiteral(" is_daytime()"));
    QVERIFY(!flags->isVisible());
    QVERIFY(s.W("Command10")->isEnabled());
    // The accepted text reaches the working copy with the next loss of focus of a field box.
    QCOMPARE(test::ReadBytes(s.dir.File("ferry.dlg.bak")), kFerry);
    QTRY_COMPARE(QApplication::activeWindow(), &s.form);
    QTest::mouseClick(s.W("txtIntCheck"), Qt::LeftButton);
    QTest::mouseClick(s.W("txtgoline"), Qt::LeftButton);
    QVERIFY(test::ReadBytes(s.dir.File("ferry.dlg.bak"))
                .starts_with(
                    "{1}{Crossing costs three silver \x97 each way.}{}{}{ is_daytime()}{}{}\r\n"));

    QTest::mouseClick(s.W("cmdadd"), Qt::LeftButton);
    QCOMPARE(s.form.flagEditorForm(), flags);  // only hidden before: the same window again
    QVERIFY(flags->isVisible());
    QVERIFY(flags->findChild<QWidget*>(QStringLiteral("Frame2"))->isVisibleTo(flags));
    flags->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!s.form.flagEditorForm());
    QVERIFY(!s.ed.flagEditor.has_value());
    QVERIFY(s.W("cmdadd")->isEnabled());
  }
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
