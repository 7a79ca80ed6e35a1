// The three boxes that guard the user's work, as the real window shows them: the recovery
// question at Load File, the refusal of a file open in another window, and the question before
// Save overwrites a change made by another program.

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <deque>

#include "commands/editor.h"
#include "support/temp_dir.h"
#include "ui/editor_form.h"
#include "ui/field_boxes.h"
#include "ui/list_view.h"
#include "ui/qt_platform.h"

using namespace dlg;
using namespace dlg::ui;

namespace {

const std::string kOld = "{1}{Old}{}{}{}{}{}\r\n";
const std::string kLeft = "{1}{Left by a crash}{}{}{}{}{}\r\n";

// Each box as one line: title | text | buttons | icon.
std::string Expect(const std::string& title, const std::string& text,
                   QMessageBox::StandardButtons buttons, QMessageBox::Icon icon) {
  return title + " | " + text + " | " + std::to_string(int(buttons)) + " | " +
         std::to_string(int(icon));
}
std::string Describe(QMessageBox* box) {
  return Expect(box->windowTitle().toStdString(), box->text().toStdString(), box->standardButtons(),
                box->icon());
}

// Answers every box as the user would, in order, and remembers what each showed.
struct User {
  std::deque<QMessageBox::StandardButton> answers;
  std::vector<std::string> seen;
  QTimer timer;
  User() {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible() || answers.empty()) return;
      seen.push_back(Describe(box));
      box->button(answers.front())->click();
      answers.pop_front();
    });
    timer.start(5);
  }
};

struct Window {
  QtPlatform platform;
  Editor ed{platform};
  EditorForm form{ed};
  explicit Window(const std::string& folder) {
    Dir1_Change(ed, folder);
    form.Render();
    form.show();
  }
  template <class T = QWidget>
  T* W(const char* name) {
    return form.findChild<T*>(QString::fromLatin1(name));
  }
  void LoadFirstFile() {
    ListView* files = W<ListView>("File1");
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualRect(files->model()->index(0, 0)).center());
    QTest::mouseClick(W("Command2"), Qt::LeftButton);
  }
};

}  // namespace

class WorkSafetyWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void theThreeBoxesShowTheirTitlesTextsButtonsAndIcons() {
    test::TempDir dir;
    const std::string path = dir.Put("a.dlg", kOld);
    dir.Put("a.dlg.bak", kLeft);
    User user;

    Window first(dir.Path());
    user.answers = {QMessageBox::Yes};
    first.LoadFirstFile();
    QCOMPARE(
        user.seen.at(0),
        Expect("Unsaved Changes Found",
               "The working copy " + path + ".bak holds changes that were never saved to " + path +
                   ". Yes: go on with those changes. No: discard them and load the file as "
                   "it is. Cancel: load nothing.",
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Warning));
    QCOMPARE(first.W<FieldTextEdit>("txtDialogue")->toPlainText(),
             QStringLiteral("Left by a crash"));

    Window second(dir.Path());
    user.answers = {QMessageBox::Ok};
    second.LoadFirstFile();
    QCOMPARE(
        user.seen.at(1),
        Expect("File In Use", path + " is open in another editor window. Unload it there first.",
               QMessageBox::Ok, QMessageBox::Warning));
    QVERIFY(second.W("Command2")->isEnabled());
    QVERIFY(!second.W("Frame1")->isEnabled());

    dir.Put("a.dlg", "{1}{Theirs}{}{}{}{}{}\r\n");
    user.answers = {QMessageBox::Yes, QMessageBox::No};
    QTest::mouseClick(first.W("Commandsave"), Qt::LeftButton);
    QCOMPARE(user.seen.at(3),
             Expect("File Changed on Disk",
                    path + " was changed by another program after it was loaded. Save over those "
                           "changes?",
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::Warning));
    QCOMPARE(test::ReadBytes(dir.File("a.dlg")), std::string("{1}{Theirs}{}{}{}{}{}\r\n"));
    QCOMPARE(user.seen.size(), std::size_t{4});
  }

  // LF-only line ends make the first record swallow the file; clicking through its boxes
  // without typing must not write that back.
  void clicksThroughTheBoxesOfAnOddFileWriteNothing() {
    test::TempDir dir;
    const std::string lfOnly = "{1}{One}{}{}{}{}{}\n{2}{Two}{}{}{}{0}{}\n{3}{Three}{}{}{}{0}{}\n";
    dir.Put("a.dlg", lfOnly);
    Window w(dir.Path());
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.LoadFirstFile();
    for (const char* box : {"txtDialogue", "txtfemale", "txtIntCheck", "txtFlags1", "txtlinejump",
                            "txtflags2", "txtDialogue"}) {
      QTest::mouseClick(w.W(box), Qt::LeftButton);
      QVERIFY(w.W(box)->hasFocus());
    }
    QCOMPARE(test::ReadBytes(dir.File("a.dlg.bak")), lfOnly);
  }
};

QTEST_MAIN(WorkSafetyWindowTest)
#include "work_safety_window_test.moc"
