// The Play window as a modder meets it: opened from the menus and their keys, replies chosen with
// keys and clicks, the player and the conditions changed, held-back replies forced, entries that
// go to their line in the editor, a replay after each write, and the transcript copied and saved.

#include "ui/play_window.h"

#include <QClipboard>
#include <QFileDialog>
#include <QListWidget>
#include <QSpinBox>
#include <QtTest>

#include "ui/control_names.h"
#include "ui/window_session.h"

using namespace dlg;
using namespace dlg::test;

namespace {

struct Play : Beside<PlayWindow> {
  QString Joined(const char* list) { return Rows(list).join(u'|'); }
  void Key(Qt::Key key) { QTest::keyClick(W(control::kTranscript), key); }
};

Play Open(WindowSession<>& s, Qt::KeyboardModifiers keys = {}) {
  QTest::keyClick(&s.form, Qt::Key_F5, keys);
  Play p{{s.form.playWindow()}};
  if (p.window) p.Settle();
  return p;
}

const QString kLine1 = QStringLiteral("NPC 1: Crossing costs three silver \u2014 each way.");

}  // namespace

class PlayWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void playsWithKeysAsThePlayerIsAndGoesBack() {
    WindowSession<> s;
    QTest::keyClick(&s.form, Qt::Key_F5);  // no file, nothing to play
    QVERIFY(!s.form.playWindow());
    s.Load();
    Play p = Open(s);
    QVERIFY(p.window && p.window->isVisible());
    QCOMPARE(p.window->windowTitle(), QStringLiteral("Play - ferry.dlg"));
    QCOMPARE(p.Joined(control::kTranscript), kLine1);
    QCOMPARE(p.Joined(control::kOfferedReplies),
             QStringLiteral("1. 2: Too much.|2. 3: Here. [Int 8] [if pc.money_get() >= 3]"));
    QCOMPARE(p.Joined(control::kConditions), QStringLiteral("pc.money_get() >= 3"));

    p.Key(Qt::Key_2);  // the transcript's words: play_test
    QVERIFY(p.Joined(control::kTranscript).startsWith(kLine1 + QStringLiteral("|PC 3: Here.|")));
    p.Key(Qt::Key_Backspace);
    QCOMPARE(p.Joined(control::kTranscript), kLine1);

    // A female player of intelligence 7 with the condition switched off: only reply 2 is offered.
    p.W<QComboBox>(control::kPlaySex)->setCurrentIndex(1);
    p.W<QSpinBox>(control::kPlayIntelligence)->setValue(7);
    auto* conditions = p.W<QListWidget>(control::kConditions);
    const QRect box = conditions->visualItemRect(conditions->item(0));
    QTest::mouseClick(conditions->viewport(), Qt::LeftButton, {},
                      box.topLeft() + QPoint(10, box.height() / 2));
    QCOMPARE(conditions->item(0)->checkState(), Qt::Unchecked);
    QTest::mouseClick(p.W(control::kShowHeldBack), Qt::LeftButton);
    QCOMPARE(
        p.Joined(control::kOfferedReplies),
        QStringLiteral("1. 2: Too much.|held back: 3: Take it. [Int 8] [if pc.money_get() >= "
                       "3] (needs intelligence 8 or more; condition false: pc.money_get() >= 3)"));
    // Forced from there, and marked so.
    auto* replies = p.W<QListWidget>(control::kOfferedReplies);
    QTest::mouseClick(replies->viewport(), Qt::LeftButton, {},
                      replies->visualItemRect(replies->item(1)).center());
    QTest::mouseClick(p.W(control::kChooseReply), Qt::LeftButton);
    QVERIFY(p.Joined(control::kTranscript).contains(QStringLiteral("|PC 3: Take it. [forced]|")));

    // The transcript's text: play_test.
    QTest::mouseClick(p.W(control::kCopyTranscript), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), p.Rows(control::kTranscript).join(u'\n') + u'\n');
    p.Key(Qt::Key_F5);
    QCOMPARE(p.Joined(control::kTranscript), kLine1);
  }

  void goesToItsLinesAndReplaysAfterEachWrite() {
    WindowSession<> s;
    s.Load();
    Play p = Open(s);
    p.Key(Qt::Key_1);
    p.DoubleClickRow(control::kTranscript, 2);
    QCOMPARE(s.Line(), QStringLiteral("10|NPC|Then swim."));
    // Written when the box is left; the play follows the new text on the same choices.
    s.form.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &s.form);
    s.Type(control::kMaleText, QStringLiteral("Then row."));
    s.Click(control::kIntCheck);
    QVERIFY(p.Settle());
    QVERIFY(p.Joined(control::kTranscript).contains(QStringLiteral("|NPC 10: Then row.|")));
    // Reply 2 renumbered away: the replay stops there and says so.
    s.GoTo("2");
    s.platform.inputs.push_back("4");
    s.Action("Renumber Line...")->trigger();
    QVERIFY(p.Settle());
    QCOMPARE(p.Joined(control::kTranscript),
             kLine1 + QStringLiteral("|not offered: 2 (line 1 has no reply 2)"));

    // Play from Here: from the line the editor shows, its typing written first.
    s.GoTo("20");
    s.Type(control::kMaleText, QStringLiteral("Sit low."));
    p = Open(s, Qt::ShiftModifier);
    QCOMPARE(p.Joined(control::kTranscript),
             QStringLiteral("NPC 20: Sit low.|No reply is offered to this player here."));
    QCOMPARE(s.Boxes(), QStringList());
  }

  void savesTheTranscriptInUtf8AndKeepsItsPlace() {
    WindowSession<> s;
    s.Load();
    Play p = Open(s);
    p.window->setGeometry(120, 90, 700, 500);
    const QRect kept = p.window->geometry();
    const std::string path = s.dir.File("ferry-play.txt");  // the name offered
    QTimer::singleShot(200, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      static_cast<QDialog*>(dialog)->accept();
    });
    QTest::mouseClick(p.W(control::kSaveTranscript), Qt::LeftButton);
    QCOMPARE(ReadBytes(path),
             "NPC 1: Crossing costs three silver \xe2\x80\x94 each way.\n  2: Too much.\n"
             "  3: Here. [Int 8] [if pc.money_get() >= 3]\n");
    // Unloaded: no transcript left to copy or save.
    s.platform.answers.push_back(MsgAnswer::Yes);
    s.Click(control::kUnloadFile);
    QVERIFY(p.Settle());
    QVERIFY(!p.W(control::kSaveTranscript)->isEnabled());
    QVERIFY(!p.W(control::kCopyTranscript)->isEnabled());
    p.window->hide();
    WindowSession<> again;
    again.Load();
    QCOMPARE(Open(again).window->geometry(), kept);
  }
};

QTEST_MAIN(PlayWindowTest)
#include "play_window_test.moc"
