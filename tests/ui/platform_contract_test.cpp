// The real message and input boxes, answered as a user would: a box answers with one of its own
// buttons (a Yes/No question never with Cancel); the Yes/No/Cancel box takes Enter, Escape and the
// title bar's close for Cancel, and a real Yes/No question stays until it is answered; the boxes
// of the window with their titles, texts, buttons and icons; EndProgram ends the program.

#include <QtTest/qtestspontaneevent.h>

#include <QCloseEvent>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <array>
#include <deque>
#include <filesystem>

#include "ui/qt_platform.h"
#include "ui/window_session.h"

using namespace dlg;
using namespace dlg::test;

namespace {

// A box of the real window as one line: title | text | buttons | icon.
std::string BoxLine(const std::string& title, const std::string& text,
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
const std::vector<Gesture> kDismiss = {Gesture::Escape, Gesture::Close};

// A user at the real message and input boxes: answers each box that comes up, in order, as a
// person would, and remembers what each showed.
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
    // Centred on no window, a box gives the keyboard back to none.
    if (box->parentWidget() == nullptr) seen.back() += " | on no window";
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

const char* Name(MsgAnswer a) { return std::array{"Ok", "Yes", "No", "Cancel"}[int(a)]; }

}  // namespace

class PlatformContractTest : public QObject {
  Q_OBJECT

 private slots:
  void aRealBoxAnswersWithItsOwnButtons() {
    using enum MsgButtons;
    using A = MsgAnswer;
    const struct {
      MsgButtons buttons;
      Gesture act;
      MsgAnswer answer;
      bool stays = false;  // the act leaves the box up; then it gets its safest answer
    } rows[] = {
        // A click answers with its button in every box: the Yes/No/Cancel rows.
        {Ok, Gesture::Enter, A::Ok},
        {Ok, Gesture::Escape, A::Ok},
        {Ok, Gesture::Close, A::Ok},
        {YesNo, Gesture::Enter, A::Yes},
        {YesNo, Gesture::Escape, A::No, true},
        {YesNo, Gesture::Close, A::No, true},
        {YesNoCancel, QMessageBox::Yes, A::Yes},
        {YesNoCancel, QMessageBox::No, A::No},
        {YesNoCancel, QMessageBox::Cancel, A::Cancel},
        // The answer that changes nothing.
        {YesNoCancel, Gesture::Enter, A::Cancel},
        {YesNoCancel, Gesture::Escape, A::Cancel},
        {YesNoCancel, Gesture::Close, A::Cancel},
    };
    for (const auto& r : rows) {
      QtPlatform platform;
      BoxUser user;
      const auto safest = std::array{QMessageBox::Ok, QMessageBox::No, QMessageBox::Cancel};
      user.answers.push_back({r.act, safest[int(r.buttons)]});
      QCOMPARE(Name(platform.MessageBox("Go on?", "Question", r.buttons, MsgIcon::None)),
               Name(r.answer));
      QCOMPARE(user.seen.at(0).ends_with(" | stayed"), r.stays);
    }
  }

  // A box is at least as wide as its title: a short text must not cut "Renumber Line" short.
  void aBoxIsAsWideAsItsTitle() {
    QtPlatform platform;
    const std::string title = "A title far longer than the few words of its box";
    int width = 0, needed = 0;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      width = box->width();
      needed = box->fontMetrics().horizontalAdvance(QString::fromStdString(title));
      box->button(QMessageBox::Ok)->click();
    });
    look.start(5);
    platform.MessageBox("Done.", title, MsgButtons::Ok, MsgIcon::None);
    QVERIFY2(width > needed, qPrintable(QStringLiteral("%1 <= %2").arg(width).arg(needed)));
  }

  // The real boxes and their answers, above all the three that guard the user's work: the
  // recovery question at Load File, the refusal of a file open in another window, and the
  // question before Save overwrites a change made by another program. Paths show as UTF-8.
  void theRealBoxesShowTheirTitlesTextsButtonsAndIcons() {
    WindowSession<QtPlatform> first;
    const std::string folder = first.dir.File("m\xC3\xA4rta"), path = folder + "/ferry.dlg";
    std::filesystem::create_directory(folder);
    first.dir.Put("m\xC3\xA4rta/ferry.dlg", kFerry);
    first.dir.Put("m\xC3\xA4rta/ferry.dlg.bak", "{1}{Left by a crash}{}{}{}{}{}\r\n");
    BoxUser user;
    user.answers = {kDismiss};
    first.Load(true, folder);
    QVERIFY(!first.W("Frame1")->isEnabled());
    user.answers = {{QMessageBox::Yes}};
    first.Load(true, folder);
    const std::string recovery =
        BoxLine("Copy Found",
                path + ".bak differs from " + path +
                    ". It may hold changes that an editor never saved, or be a copy that someone "
                    "keeps. Yes: go on with its text. No: keep it as " +
                    path + ".bak.1 and load the file as it is. Cancel: load nothing.",
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Warning);
    QCOMPARE(user.seen, (std::vector{recovery, recovery}));
    QCOMPARE(first.Line(), QStringLiteral("1|NPC|Left by a crash"));

    WindowSession<QtPlatform> second;
    user.answers = {kDismiss};
    second.Load(true, folder);
    QCOMPARE(
        user.seen.at(2),
        BoxLine("File In Use", path + " is open in another editor window. Unload it there first.",
                QMessageBox::Ok, QMessageBox::Warning));
    QVERIFY(second.W("Command2")->isEnabled());
    QVERIFY(!second.W("Frame1")->isEnabled());

    first.dir.Put("m\xC3\xA4rta/ferry.dlg", "{1}{Theirs}{}{}{}{}{}\r\n");  // by another program
    user.answers = {{QMessageBox::Yes}, {QMessageBox::No}};
    first.Click("Commandsave");
    QCOMPARE(user.seen.at(3),
             BoxLine("Oberwrite?", "Are you sure you wish to overwrite " + path + "?",
                     QMessageBox::Yes | QMessageBox::No, QMessageBox::NoIcon));
    QCOMPARE(user.seen.at(4),
             BoxLine("File Changed on Disk",
                     path + " was changed by another program after it was loaded. Save over those "
                            "changes?",
                     QMessageBox::Yes | QMessageBox::No, QMessageBox::Warning));

    // Save As: a name typed with a character beyond ASCII is a UTF-8 file name; a cancelled
    // input box saves nothing.
    user.inputs = {QStringLiteral("f\u00E4hre"), QString()};
    user.answers = {{QMessageBox::Ok}};
    first.Click("Command9");
    first.Click("Command9");
    const std::string prompt = "Enter the name for the new .DLG file: ";
    QCOMPARE(std::vector(user.seen.begin() + 5, user.seen.end()),
             (std::vector{prompt,
                          BoxLine("Saving Changes", "Changes Have Been Saved", QMessageBox::Ok,
                                  QMessageBox::Information),
                          prompt}));
    QCOMPARE(test::ReadBytes(folder + "/f\xC3\xA4hre.dlg"), test::ReadBytes(path + ".bak"));
    QCOMPARE(std::distance(std::filesystem::directory_iterator(folder), {}), 3);

    user.answers = {kDismiss};
    first.Type("txtaddline", QStringLiteral("1"));
    first.Click("cmdaddline");
    QCOMPARE(user.seen.back(), BoxLine("Line Already Exists",
                                       "The line already exists, please enter a different number",
                                       QMessageBox::Ok, QMessageBox::Critical));
    QCOMPARE(user.seen.size(), std::size_t{9});
    // Once a box is answered its window is the active one again, where the window system would
    // leave none and every shortcut of the window would be dead.
    first.form.activateWindow();
    QTRY_VERIFY(first.form.isActiveWindow());
    user.answers = {{QMessageBox::Yes}};
    first.Type("txtaddline", QStringLiteral("7"));
    first.Click("cmdaddline");
    first.Type("txtDialogue", QStringLiteral("Seven."));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(user.seen.back(), BoxLine("Save New Line?", "Save the new line 7 before leaving it?",
                                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                       QMessageBox::Warning));
    QTRY_VERIFY(first.form.isActiveWindow());
  }

  // The close box with unsaved changes: the caption marks them, a Cancel keeps the window, No
  // throws them away and ends the program.
  void theCloseBoxAsksAboutUnsavedChanges() {
    WindowSession<QtPlatform> s;
    s.Load();
    s.Type("txtDialogue", QStringLiteral("Free crossing today."));
    s.Click("txtfemale");  // leaving the box writes the edit
    QCOMPARE(s.form.windowTitle(), QStringLiteral("Ashgloam -DLG Editor - ferry.dlg *"));
    BoxUser user;
    user.answers = {kDismiss};
    QVERIFY(!s.form.close());
    const std::string ask = BoxLine(
        "Save Changes?", "Save the changes to " + s.dir.File("ferry.dlg") + " before quitting?",
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Warning);
    QCOMPARE(user.seen, std::vector{ask});
    QVERIFY(s.form.isVisible() && !ProgramEnded());
    user.answers = {{QMessageBox::No}};
    s.form.close();
    QVERIFY(ProgramEnded());
    QCOMPARE(test::ReadBytes(s.dir.File("ferry.dlg")), kFerry);
    QVERIFY(!std::filesystem::exists(s.dir.File("ferry.dlg.bak")));
  }

  // Last: EndProgram cannot be taken back.
  void endProgramEnds() {
    QWidget window;
    window.show();
    QtPlatform().EndProgram();
    QVERIFY(ProgramEnded() && !window.isVisible());
  }
};

QTEST_MAIN(PlatformContractTest)
#include "platform_contract_test.moc"
