// What the real boxes of the window must do: a box answers with one of its own buttons (a Yes/No
// question never with Cancel); the Yes/No/Cancel box takes Enter, Escape and the title bar's close
// for Cancel, and a real Yes/No question stays until it is answered; EndProgram ends the program.
// The input box: real_boxes_test, through Save As.

#include <QtTest>
#include <array>

#include "ui/box_user.h"
#include "ui/qt_platform.h"

using namespace dlg;
using dlg::test::Gesture;

namespace {

const char* Name(MsgAnswer a) { return std::array{"Ok", "Yes", "No", "Cancel"}[int(a)]; }
// The buttons of a box, its safest answer last.
QStringList ButtonsOf(MsgButtons b) {
  return QString::fromLatin1(std::array{"Ok", "Yes No", "Yes No Cancel"}[int(b)])
      .split(QLatin1Char(' '));
}
MsgAnswer Ask(Platform& p, MsgButtons b) {
  return p.MessageBox("Go on?", "Question", b, MsgIcon::None);
}

}  // namespace

class PlatformContractTest : public QObject {
  Q_OBJECT

 private slots:
  void aRealBoxAnswersWithItsOwnButtons_data() {
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<Gesture>("act");
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<bool>("stays");  // the act leaves the box up; then it gets its safest answer
    using enum MsgButtons;
    using A = MsgAnswer;
    const struct {
      MsgButtons buttons;
      Gesture act;
      MsgAnswer answer;
      bool stays = false;
    } rows[] = {
        {Ok, QMessageBox::Ok, A::Ok},
        {Ok, Gesture::Enter, A::Ok},
        {Ok, Gesture::Escape, A::Ok},
        {Ok, Gesture::Close, A::Ok},
        {YesNo, QMessageBox::Yes, A::Yes},
        {YesNo, Gesture::Enter, A::Yes},
        {YesNo, QMessageBox::No, A::No},
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
      QTest::addRow("%s box, %s", qPrintable(ButtonsOf(r.buttons).join(QLatin1Char(' '))),
                    r.act.kind == Gesture::Click ? "click" : "key or close")
          << r.buttons << r.act << r.answer << r.stays;
    }
  }

  void aRealBoxAnswersWithItsOwnButtons() {
    QFETCH(MsgButtons, buttons);
    QFETCH(Gesture, act);
    QFETCH(MsgAnswer, answer);
    QFETCH(bool, stays);
    ui::QtPlatform platform;
    test::BoxUser user;
    const QString safest = ButtonsOf(buttons).last();
    user.answers.push_back({act, safest == QLatin1String("Ok")   ? QMessageBox::Ok
                                 : safest == QLatin1String("No") ? QMessageBox::No
                                                                 : QMessageBox::Cancel});
    QCOMPARE(Name(Ask(platform, buttons)), Name(answer));
    QCOMPARE(user.seen.at(0).ends_with(" | stayed"), stays);
  }

  // Last: EndProgram cannot be taken back.
  void endProgramEnds() {
    QWidget window;
    window.show();
    ui::QtPlatform().EndProgram();
    QVERIFY(ui::ProgramEnded() && !window.isVisible());
  }
};

QTEST_MAIN(PlatformContractTest)
#include "platform_contract_test.moc"
