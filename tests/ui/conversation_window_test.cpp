// The Conversation window as a user meets it: every part reached with real clicks and keys,
// going to its line in the editor, following the editor's writes; its parts over the whole folder
// (Find in Files from its key, the Problems of all files, the loaded file's counts) and a
// double-click that takes the editor to another file's line. The menu bar: editor_window_test.

#include "ui/conversation_window.h"

#include <sys/stat.h>

#include <QGraphicsItem>
#include <QLabel>
#include <QListView>
#include <QTreeView>
#include <QtTest>

#include "ui/control_names.h"
#include "ui/conversation_models.h"
#include "ui/latest_job.h"
#include "ui/map_view.h"
#include "ui/window_session.h"

using namespace dlg;
using namespace dlg::test;

namespace {

const std::string kInn =
    "{4}{The inn is full.}{}{}{}{}{}\r\n"
    "{5}{A room for silver?}{}{}{}{40}{}\r\n";

struct ConversationView : Beside<ConversationWindow> {
  QString Label(const char* name) { return W<QLabel>(name)->text(); }
  // The box of a line on the map, or a reply's arrow, by the line it stands for.
  QGraphicsItem* MapItem(const char* number, bool box) {
    for (QGraphicsItem* item : W<MapView>(control::kMap)->scene()->items())
      if (item->data(0).toByteArray() == number && (item->zValue() == 1) == box) return item;
    return nullptr;
  }
  void DoubleClickMap(const char* number, bool box) {
    auto* map = W<MapView>(control::kMap);
    QGraphicsItem* item = MapItem(number, box);
    QVERIFY2(item, number);
    map->ensureVisible(item);
    // An arrow is hit on its curve, not inside its bounds: its own label's place is on it.
    const QPointF inScene =
        box ? item->sceneBoundingRect().center() : item->shape().pointAtPercent(0.5);
    const QPoint at = map->mapFromScene(inScene);
    QTest::mouseClick(map->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(map->viewport(), Qt::LeftButton, {}, at);
  }
};

}  // namespace

class ConversationWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void eachPartGoesToItsLine() {
    WindowSession<> s;
    s.Load();
    QTest::keyClick(&s.form, Qt::Key_M, Qt::ControlModifier);
    ConversationView c{{s.form.conversationWindow()}};
    QVERIFY(c.window && c.window->isVisible());
    QVERIFY(c.Settle());
    QCOMPARE(c.window->windowTitle(), QStringLiteral("Conversation - ferry.dlg"));
    QCOMPARE(c.Rows(control::kOutline),
             Texts({"1  Crossing costs three silver \u2014 each way.", "2 -> 10  Too much.",
                    "3 -> 20  Here.", "10  Then swim.", "20  Sit down."}));
    QVERIFY(
        c.W<QTreeView>(control::kOutline)->currentIndex().data(Qt::FontRole).value<QFont>().bold());

    c.DoubleClickRow(control::kOutline, QStringLiteral("10  Then swim."));
    QCOMPARE(s.Line(), QStringLiteral("10|NPC|Then swim."));

    // Ctrl+F in the editor: the focus in the Find box; Down, then Enter on a row found goes there.
    QTest::keyClick(&s.form, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), c.W(control::kFindText));
    QTest::keyClicks(c.W(control::kFindText), QStringLiteral("SIT"));
    QVERIFY(c.Settle());
    QCOMPARE(c.Rows(control::kFoundRecords), Texts({"20  male: Sit down."}));
    QTest::keyClick(c.W(control::kFindText), Qt::Key_Down);
    auto* found = c.W<QListView>(control::kFoundRecords);
    QCOMPARE(QApplication::focusWidget(), found);
    QCOMPARE(found->currentIndex().row(), 0);
    QTest::keyClick(found, Qt::Key_Return);
    QCOMPARE(s.Line(), QStringLiteral("20|NPC|Sit down."));

    c.DoubleClickMap("10", true);
    QCOMPARE(s.Line(), QStringLiteral("10|NPC|Then swim."));
    c.DoubleClickMap("3", false);  // the arrow of reply 3
    QCOMPARE(s.Line(), QStringLiteral("3|PC|Here."));
    QCOMPARE(s.Boxes(), QStringList());
  }

  // Every finding of the checker (the 14 of its golden output for this example), each row naming
  // its record (views_test words them); a row goes to the record on its line: reply 12 on line 8.
  void problemsNameTheirRecordAndGoThere() {
    WindowSession<> s;
    s.LoadFerry(ReadBytes(std::string(DLG_SOURCE_DIR) + "/examples/broken_smith.dlg"));
    s.form.ShowConversation(false);
    ConversationView c{{s.form.conversationWindow()}};
    QVERIFY(c.Settle());
    const QStringList rows = c.Rows(control::kProblems);
    QCOMPARE(rows.size(), 14);
    QCOMPARE(rows[2], QStringLiteral("line 12 (file line 8): error: reply 12 leads to line 012, "
                                     "which no record has [missing-target]"));
    c.DoubleClickRow(control::kProblems, rows[2]);
    QVERIFY(s.Line().startsWith(QStringLiteral("12|PC|")));
    // The second 21 and a 6 behind 60: Go to never shows them, and the row says so instead.
    c.DoubleClickRow(control::kProblems, rows.filter(QStringLiteral("(file line 12)")).value(0));
    c.DoubleClickRow(control::kOutline, c.Rows(control::kOutline).filter(u"6 -> ").value(0));
    QCOMPARE(
        s.Boxes(),
        QStringList({QStringLiteral("Line Cannot Be Reached: Line 21 on file line 12 cannot "
                                    "be reached by its number: Go to 21 stops at line 21 on "
                                    "file line 11 first. Renumber one of them to reach it."),
                     QStringLiteral("Line Cannot Be Reached: Line 6 on file line 15 cannot "
                                    "be reached by its number: Go to 6 stops at line 60 on "
                                    "file line 14 first. Renumber one of them to reach it.")}));
    QVERIFY(s.Line().startsWith(QStringLiteral("12|PC|")));
  }

  void itFollowsTheEditorsWrites() {
    WindowSession<> s;
    s.Load();
    s.form.ShowConversation(false);
    ConversationView c{{s.form.conversationWindow()}};
    QVERIFY(c.Settle());
    // An edit written when the box is left: the outline, the problems and the map show it.
    s.form.activateWindow();  // as the user's click into the editor would
    QTRY_COMPARE(QApplication::activeWindow(), &s.form);
    s.GoTo("2");
    s.Type(control::kJumpLine, QStringLiteral("99"));
    s.Click(control::kMaleText);
    QVERIFY(c.Settle());
    QVERIFY(c.Rows(control::kOutline).contains(QStringLiteral("2 -> 99  Too much.")));
    QVERIFY(c.Rows(control::kProblems)
                .contains(QStringLiteral(
                    "line 2 (file line 2): error: reply 2 leads to line 99, which no record has "
                    "[missing-target]")));
    QVERIFY(c.MapItem("2", false));

    // Unloaded: an empty window, and no title of a file.
    s.Click(control::kUnloadFile);
    QVERIFY(c.Settle());
    QCOMPARE(c.window->windowTitle(), QStringLiteral("Conversation"));
    QCOMPARE(c.Rows(control::kOutline), QStringList());
    QCOMPARE(c.W<MapView>(control::kMap)->scene()->items().size(), 0);
  }

  // A conversation too long for one map: the lines near the line shown, which a line without a
  // number names by where it stands; a map too dense to lay out in time is not drawn, and says why.
  void aLongConversationIsMappedAroundTheLineShown() {
    WindowSession<> s;
    // A line without a number, then 1,001 NPC lines in a chain, each with a reply to the next.
    std::string bytes = "{}{First.}{}{}{}{}{}\r\n{}{On.}{}{}{}{1}{}\r\n";
    for (int n = 1; n <= 1001; ++n) {
      const std::string line = std::to_string(2 * n - 1), reply = std::to_string(2 * n);
      const std::string next = n == 1001 ? "0" : std::to_string(2 * n + 1);
      bytes += "{" + line + "}{Line " + line + ".}{}{}{}{}{}\r\n{" + reply + "}{On.}{}{}{}{" +
               next + "}{}\r\n";
    }
    s.LoadFerry(bytes);
    s.form.ShowConversation(false);
    ConversationView c{{s.form.conversationWindow()}};
    auto around = [&](const char* number, const char* line) {  // after "Go to:" `number`
      if (*number) s.GoTo(number);
      QVERIFY(c.Settle());
      QCOMPARE(c.Label(control::kMapNote),
               QStringLiteral("The lines within two replies of %1 (the whole conversation has "
                              "1002 NPC lines)")
                   .arg(QLatin1String(line)));
    };
    around("", "the line without a number on line 1 of the file");
    around("1001", "line 1001");  // which lines stand near it: map_test
    around("1600", "line 1599");  // a reply: its NPC line's neighbourhood

    s.platform.answers.push_back(MsgAnswer::Yes);
    s.Click(control::kUnloadFile);
    std::string dense = "{1}{Hub.}{}{}{}{}{}\r\n";
    for (int n = 2; n <= 5601; ++n) dense += "{" + std::to_string(n) + "}{Bye.}{}{}{}{0}{}\r\n";
    s.LoadFerry(dense);
    QVERIFY(c.Settle());
    QCOMPARE(c.Label(control::kMapNote),
             QStringLiteral("The map is not drawn: line 1 alone has more replies than a map can "
                            "show (the whole conversation has 1 NPC line and 5600 replies, too "
                            "many for one map)"));
  }

  // The layout of a large map cannot be stopped: Quit does not wait for it.
  void quitDoesNotWaitForALayout() {
    auto s = std::make_unique<WindowSession<>>();
    std::string bytes;
    for (int k = 1; k <= 100; ++k) {
      bytes += "{" + std::to_string(k * 100) + "}{Line.}{}{}{}{}{}\r\n";
      for (int j = 1; j <= 30; ++j)
        bytes += "{" + std::to_string(k * 100 + j) + "}{Reply.}{}{}{}{" +
                 std::to_string((k + j - 1) % 100 * 100 + 100) + "}{}\r\n";
    }
    s->LoadFerry(bytes);
    s->form.ShowConversation(false);
    ConversationView c{{s->form.conversationWindow()}};
    QTRY_VERIFY_WITH_TIMEOUT(!c.Rows(control::kOutline).isEmpty(), 20000);
    QVERIFY(LatestJob::AnyRunning());
    s->platform.answers.push_back(MsgAnswer::Yes);
    s->Click(control::kQuit);
    s.reset();
    // The windows are gone and the layout still runs: nothing waited for it. Done by itself,
    // its result is dropped with the window.
    QVERIFY(LatestJob::AnyRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!LatestJob::AnyRunning(), 120000);
  }

  // The outline hands long lists to the view as it scrolls, and nests replies under their line.
  void theOutlineHandsOverLongListsAndNestsReplies() {
    std::string bytes;
    for (int n = 1; n <= 12000; ++n) bytes += "{" + std::to_string(n) + "}{Line.}{}{}{}{}{}\r\n";
    OutlineModel model;
    model.Show(check::SnapshotOf(bytes));
    QVERIFY(model.rowCount() < 12000);
    QVERIFY(model.canFetchMore({}));
    // The line shown deep in the file is reached at once, the rows before it handed over.
    const QModelIndex deep = model.Reveal(11000);
    QCOMPARE(deep.data().toString(), QStringLiteral("11001  Line."));
    QVERIFY(model.rowCount() > 11000);
    while (model.canFetchMore({})) model.fetchMore({});
    QCOMPARE(model.rowCount(), 12000);

    // Replies before the first NPC line stand at the top; a line without replies has no children.
    model.Show(check::SnapshotOf(
        "{5}{Stray.}{}{}{}{1}{}\r\n"
        "{1}{Hello.}{}{}{}{}{}\r\n{2}{Bye.}{}{}{}{0}{}\r\n{3}{Again.}{}{}{}{1}{}\r\n"
        "{7}{Quiet.}{}{}{}{}{}\r\n"
        "{8}{Last.}{}{}{}{}{}\r\n{9}{Go.}{}{}{}{7}{}\r\n"));
    QCOMPARE(model.rowCount(), 4);
    const int children[] = {0, 2, 0, 1};
    for (int top = 0; top < 4; ++top) QCOMPARE(model.rowCount(model.index(top, 0)), children[top]);
    QCOMPARE(model.index(1, 0, model.index(3, 0)), QModelIndex());
    for (int record = 0; record < 7; ++record) {
      const QModelIndex index = model.IndexOf(record);
      QCOMPARE(model.RecordAt(index), record);
      QCOMPARE(model.index(index.row(), 0, model.parent(index)), index);
    }
    QCOMPARE(model.index(0, 0, model.index(3, 0)).data().toString(), QStringLiteral("9 -> 7  Go."));
  }

  void itsSizeAndPlaceAreRemembered() {
    QRect kept;
    for (bool again : {false, true}) {  // the next editor opens it where the last one left it
      WindowSession<> s;
      s.form.ShowConversation(false);
      ConversationWindow* w = s.form.conversationWindow();
      if (again) QCOMPARE(w->geometry(), kept);
      w->setGeometry(120, 90, 700, 500);
      kept = w->geometry();
      w->hide();
    }
  }

  void findInFilesListsEveryFileAndGoesToTheLine() {
    WindowSession<> s;
    s.dir.Put("sub/inn.dlg", kInn);
    QCOMPARE(mkfifo(s.dir.File("sub/locked.dlg").c_str(), 0600), 0);
    s.Load();
    // An edit in the working copy only: the search reads it there, not on disk.
    s.Type(control::kMaleText, QStringLiteral("Three SILVER coins, friend."));
    s.Click(control::kFemaleText);

    QTest::keyClick(&s.form, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    ConversationView c{{s.form.conversationWindow()}};
    QVERIFY(c.window && c.window->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), c.W(control::kFindInFilesText));
    QTest::keyClicks(c.W(control::kFindInFilesText), QStringLiteral("silver"));
    QTest::keyClick(c.W(control::kFindInFilesText), Qt::Key_Return);
    QVERIFY(c.Settle());
    QCOMPARE(c.Rows(control::kFilesFound),
             Texts({"ferry.dlg  1  male: Three SILVER coins, friend.",
                    "sub/inn.dlg  5  male: A room for silver?",
                    "sub/locked.dlg: cannot be read: not a regular file"}));
    QCOMPARE(c.Label(control::kFindInFilesCount),
             QStringLiteral("2 records found in 2 files of 3, 1 file could not be read"));
    QVERIFY(!c.W(control::kStopFindInFiles)->isEnabled());
    QCOMPARE(
        c.Label(control::kCounts),
        QStringLiteral("3 NPC lines (8 words male, 0 female), 2 replies (3 words male, 2 female)"));

    // Another file: Unload File's question first (open_named_test), then its line as "Go to:"
    // shows it.
    s.platform.answers = {MsgAnswer::No};
    c.DoubleClickRow(control::kFilesFound, 1);
    QCOMPARE(s.Boxes().size(), 1);
    QCOMPARE(s.Line(), QStringLiteral("5|PC|A room for silver?"));
    QCOMPARE(s.form.windowTitle(), QStringLiteral("Ashgloam -DLG Editor - inn.dlg"));
    // The search stays on the folder it was made in while a file below it is loaded.
    QCOMPARE(
        c.Label(control::kFindInFilesFolder),
        QStringLiteral("In %1 and the folders below it").arg(QString::fromStdString(s.dir.Path())));
  }

  void problemsOfAllFilesAreWhatTheCheckerPrints() {
    WindowSession<> s;
    s.dir.Put("sub/inn.dlg", kInn);
    s.Load();
    s.form.ShowConversation(false);
    ConversationView c{{s.form.conversationWindow()}};
    QVERIFY(c.Settle());
    QTest::mouseClick(c.W(control::kProblemsAllFiles), Qt::LeftButton);
    QVERIFY(c.Settle());
    const auto title = [&c] {
      for (QLabel* l : c.window->findChildren<QLabel*>())
        if (l->text().startsWith(QLatin1String("Problems"))) return l->text();
      return QString();
    };
    QCOMPARE(title(), QStringLiteral("Problems"));
    QCOMPARE(c.Rows(control::kFolderProblems),
             Texts({"ferry.dlg: line 10 (file line 4): warning: NPC line 10 has no replies after "
                    "it [no-replies]",
                    "ferry.dlg: line 20 (file line 5): warning: NPC line 20 has no replies after "
                    "it [no-replies]",
                    "sub/inn.dlg: line 5 (file line 2): error: reply 5 leads to line 40, which no "
                    "record has [missing-target]"}));
    QCOMPARE(c.Label(control::kFolderProblemsSummary),
             QStringLiteral("1 error, 2 warnings in 2 files"));
    // A file that Save As makes is checked with the others.
    s.platform.inputs = {"copy"};
    s.Click(control::kSaveAs);
    QVERIFY(c.Settle());
    QCOMPARE(c.Label(control::kFolderProblemsSummary),
             QStringLiteral("1 error, 4 warnings in 3 files"));
    s.platform.answers = {MsgAnswer::Yes};
    c.DoubleClickRow(control::kFolderProblems, 4);
    QCOMPARE(s.Line(), QStringLiteral("5|PC|A room for silver?"));
    // Back to this file's own findings.
    QTest::mouseClick(c.W(control::kProblemsThisFile), Qt::LeftButton);
    QVERIFY(c.W<QListView>(control::kProblems)->isVisible());
    QCOMPARE(title(), QStringLiteral("Problems (2)"));
  }
};

QTEST_MAIN(ConversationWindowTest)
#include "conversation_window_test.moc"
