// What every Platform must do, run against each one: the real boxes of the window, the scripted
// platform of the command tests, the shell driver's printing one and the benchmarks' own. A box
// answers with one of its own buttons (a Yes/No question never with Cancel); the real
// Yes/No/Cancel box takes Enter, Escape and the title bar's close for Cancel, and a real Yes/No
// question stays until it is answered; an input box starts empty and a cancelled one reads "";
// EndProgram ends the program.

#include <QtTest>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <sstream>

#include "bench_data.h"
#include "driver/printing_platform.h"
#include "support/scripted_platform.h"
#include "ui/box_user.h"
#include "ui/qt_platform.h"

using namespace dlg;
using dlg::test::Gesture;

namespace {

// One implementation, and what a user can do at its boxes.
class Subject {
 public:
  virtual ~Subject() = default;
  virtual Platform& Get() = 0;
  // Arranges what the user does at the next message box: click a button ("Yes", "No", "Cancel",
  // "Ok"), "Enter", "Escape", "Close" it from the title bar, or "nothing" that the platform asks
  // for; false when this platform offers no such thing.
  virtual bool Will(MsgButtons buttons, const std::string& act) = 0;
  virtual void WillType(const std::optional<std::string>& entry) = 0;  // nothing: cancelled
  virtual bool Ended() = 0;
  virtual std::string Saw() { return ""; }  // what the user saw of the last box, where known
};

// The buttons of a box, its safest answer last.
QString ButtonsOf(MsgButtons b) {
  return QLatin1String(b == MsgButtons::Ok      ? "Ok"
                       : b == MsgButtons::YesNo ? "Yes No"
                                                : "Yes No Cancel");
}

class Real : public Subject {
 public:
  ui::QtPlatform platform;
  test::BoxUser user;
  Platform& Get() override { return platform; }
  bool Will(MsgButtons buttons, const std::string& act) override {
    static const std::map<std::string, Gesture> kGestures = {
        {"Yes", QMessageBox::Yes}, {"No", QMessageBox::No},   {"Cancel", QMessageBox::Cancel},
        {"Ok", QMessageBox::Ok},   {"Enter", Gesture::Enter}, {"Escape", Gesture::Escape},
        {"Close", Gesture::Close}};
    const QStringList has = ButtonsOf(buttons).split(QLatin1Char(' '));
    const auto gesture = kGestures.find(act);
    if (gesture == kGestures.end() ||
        (gesture->second.kind == Gesture::Click && !has.contains(QString::fromStdString(act)))) {
      return false;
    }
    // A box that stays after a key or the close then gets its safest answer: no test hangs.
    user.answers.push_back({gesture->second, kGestures.at(has.last().toStdString())});
    return true;
  }
  void WillType(const std::optional<std::string>& entry) override {
    user.inputs.push_back(entry ? QString::fromStdString(*entry) : QString());
  }
  bool Ended() override {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return ui::ProgramEnded() &&
           std::none_of(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible(); });
  }
  std::string Saw() override { return user.seen.empty() ? "nothing" : user.seen.back(); }
};

// Answers from a queue, so a script can hold any answer; an empty queue answers No.
class Scripted : public Subject {
 public:
  test::ScriptedPlatform platform;
  Platform& Get() override { return platform; }
  bool Will(MsgButtons buttons, const std::string& act) override {
    static const std::map<std::string, MsgAnswer> kAnswers = {
        {"Yes", MsgAnswer::Yes}, {"No", MsgAnswer::No}, {"Cancel", MsgAnswer::Cancel}};
    if (act == "nothing") return true;
    if (buttons == MsgButtons::Ok || !kAnswers.count(act)) return false;
    platform.answers.push_back(kAnswers.at(act));
    return true;
  }
  void WillType(const std::optional<std::string>& entry) override {
    if (entry) platform.inputs.push_back(*entry);
  }
  bool Ended() override { return platform.ended; }
  std::string Saw() override { return platform.prompts.empty() ? "" : platform.prompts.back(); }
};

// Answers every box itself.
template <class P>
class SelfAnswering : public Subject {
 public:
  P platform;
  Platform& Get() override { return platform; }
  bool Will(MsgButtons, const std::string& act) override { return act == "nothing"; }
};

// What it prints is kept from the test's own output.
class Printing : public SelfAnswering<test::PrintingPlatform> {
 public:
  std::ostringstream printed;
  std::streambuf* const old = std::cout.rdbuf(printed.rdbuf());
  ~Printing() override { std::cout.rdbuf(old); }
  void WillType(const std::optional<std::string>& entry) override {
    if (entry) platform.inputs.push_back(*entry);
  }
  bool Ended() override { return printed.str().ends_with("END\n"); }
};

class Bench : public SelfAnswering<bench::YesPlatform> {
 public:
  void WillType(const std::optional<std::string>& entry) override {
    platform.input = entry.value_or("");
  }
  bool Ended() override { return platform.ended; }
};

std::unique_ptr<Subject> Make(const std::string& name) {
  if (name == "scripted") return std::make_unique<Scripted>();
  if (name == "printing") return std::make_unique<Printing>();
  if (name == "bench") return std::make_unique<Bench>();
  return std::make_unique<Real>();
}
// The real one last: its EndProgram cannot be taken back.
const char* const kSubjects[] = {"scripted", "printing", "bench", "real"};

const char* Name(MsgAnswer a) { return std::array{"Ok", "Yes", "No", "Cancel"}[int(a)]; }

}  // namespace

class PlatformContractTest : public QObject {
  Q_OBJECT

 private slots:
  void aBoxAnswersWithItsOwnButtons_data() {
    QTest::addColumn<std::string>("subject");
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<std::string>("act");
    QTest::addColumn<QString>("answers");  // what may come back
    QTest::addColumn<bool>("stays");       // the act leaves the box up (real boxes only)
    using enum MsgButtons;
    const struct {
      MsgButtons buttons;
      const char* acts;
      const char* answers;
      bool stays = false;
    } rows[] = {
        {Ok, "Ok Enter Escape Close nothing", "Ok"},
        {YesNo, "Yes Enter", "Yes"},
        {YesNo, "No", "No"},
        {YesNo, "Escape Close", "No", true},  // a question must be answered: then its "No"
        {YesNo, "nothing Cancel", "Yes No"},  // what a fake answers, or a script holds
        {YesNoCancel, "Yes", "Yes"},
        {YesNoCancel, "No", "No"},
        {YesNoCancel, "Cancel Enter Escape Close", "Cancel"},  // the answer that changes nothing
        {YesNoCancel, "nothing", "Yes No Cancel"},
    };
    for (const char* subject : kSubjects) {
      for (const auto& r : rows) {
        for (const QString& act : QString::fromLatin1(r.acts).split(QLatin1Char(' '))) {
          if (!Make(subject)->Will(r.buttons, act.toStdString())) continue;
          QTest::addRow("%s, %s box, %s", subject, qPrintable(ButtonsOf(r.buttons)),
                        qPrintable(act))
              << std::string(subject) << r.buttons << act.toStdString()
              << QString::fromLatin1(r.answers) << r.stays;
        }
      }
    }
  }

  void aBoxAnswersWithItsOwnButtons() {
    QFETCH(std::string, subject);
    QFETCH(MsgButtons, buttons);
    QFETCH(std::string, act);
    QFETCH(QString, answers);
    QFETCH(bool, stays);
    const std::unique_ptr<Subject> s = Make(subject);
    s->Will(buttons, act);
    const MsgAnswer answer = s->Get().MessageBox("Go on?", "Question", buttons, MsgIcon::None);
    QVERIFY2(answers.split(QLatin1Char(' ')).contains(QLatin1String(Name(answer))), Name(answer));
    QCOMPARE(s->Saw().ends_with(" | stayed"), stays);
  }

  void anInputBoxStartsEmptyAndCancelledReadsNothing_data() {
    QTest::addColumn<std::string>("subject");
    QTest::addColumn<std::optional<std::string>>("entry");
    for (const char* subject : kSubjects) {
      // A file name beyond ASCII comes back as UTF-8.
      QTest::addRow("%s typed", subject)
          << std::string(subject) << std::optional<std::string>("f\xC3\xA4hre");
      QTest::addRow("%s cancelled", subject)
          << std::string(subject) << std::optional<std::string>();
    }
  }

  void anInputBoxStartsEmptyAndCancelledReadsNothing() {
    QFETCH(std::string, subject);
    QFETCH(std::optional<std::string>, entry);
    const std::unique_ptr<Subject> s = Make(subject);
    s->WillType(entry);
    QCOMPARE(QByteArray::fromStdString(s->Get().InputBox("File name:", "Save As")),
             QByteArray::fromStdString(entry.value_or("")));
    const std::string saw = s->Saw();
    if (!saw.empty()) QCOMPARE(QByteArray::fromStdString(saw), "File name:");  // no " | holding"
  }

  void endProgramEnds_data() {
    QTest::addColumn<std::string>("subject");
    for (const char* subject : kSubjects) QTest::newRow(subject) << std::string(subject);
  }

  void endProgramEnds() {
    QFETCH(std::string, subject);
    const std::unique_ptr<Subject> s = Make(subject);
    QWidget window;
    window.show();
    s->Get().EndProgram();
    QVERIFY(s->Ended());
  }
};

QTEST_MAIN(PlatformContractTest)
#include "platform_contract_test.moc"
