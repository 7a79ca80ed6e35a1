// The Conversation window's parts over the whole folder, as a user meets them: Find in Files
// from its key (listed in menu_bar_test), the Problems of all files, the loaded file's counts, and
// a double-click that takes the editor to another file's line.

#include <sys/stat.h>

#include <QLabel>
#include <QListView>
#include <QtTest>

#include "ui/control_names.h"
#include "ui/conversation_window.h"
#include "ui/window_session.h"

using namespace dlg;
using namespace dlg::ui;
using dlg::test::WindowSession;

namespace {

const std::string kInn =
    "{4}{The inn is full.}{}{}{}{}{}\r\n"
    "{5}{A room for silver?}{}{}{}{40}{}\r\n";

struct Folder : dlg::test::Beside<ConversationWindow> {
  QString Label(const char* name) { return W<QLabel>(name)->text(); }
};

}  // namespace

class FindInFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void findInFilesListsEveryFileAndGoesToTheLine() {
    WindowSession<> s;
    s.dir.Put("sub/inn.dlg", kInn);
    QCOMPARE(mkfifo(s.dir.File("sub/locked.dlg").c_str(), 0600), 0);
    s.Load();
    // An edit in the working copy only: the search reads it there, not on disk.
    s.Type(control::kMaleText, QStringLiteral("Three SILVER coins, friend."));
    s.Click(control::kFemaleText);

    QTest::keyClick(&s.form, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    Folder c{{s.form.conversationWindow()}};
    QVERIFY(c.window && c.window->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), c.W(control::kFindInFilesText));
    QTest::keyClicks(c.W(control::kFindInFilesText), QStringLiteral("silver"));
    QTest::keyClick(c.W(control::kFindInFilesText), Qt::Key_Return);
    QVERIFY(c.Settle());
    QCOMPARE(c.Rows(control::kFilesFound),
             QStringList({QStringLiteral("ferry.dlg  1  male: Three SILVER coins, friend."),
                          QStringLiteral("sub/inn.dlg  5  male: A room for silver?"),
                          QStringLiteral("sub/locked.dlg: cannot be read: not a regular file")}));
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
    Folder c{{s.form.conversationWindow()}};
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
             QStringList({QStringLiteral("ferry.dlg: line 10 (file line 4): warning: NPC line 10 "
                                         "has no replies after it [no-replies]"),
                          QStringLiteral("ferry.dlg: line 20 (file line 5): warning: NPC line 20 "
                                         "has no replies after it [no-replies]"),
                          QStringLiteral("sub/inn.dlg: line 5 (file line 2): error: reply 5 leads "
                                         "to line 40, which no record has [missing-target]")}));
    QCOMPARE(c.Label(control::kFolderProblemsSummary),
             QStringLiteral("1 error, 2 warnings in 2 files"));
    s.platform.answers = {MsgAnswer::Yes};
    c.DoubleClickRow(control::kFolderProblems, 2);
    QCOMPARE(s.Line(), QStringLiteral("5|PC|A room for silver?"));
    // Back to this file's own findings.
    QTest::mouseClick(c.W(control::kProblemsThisFile), Qt::LeftButton);
    QVERIFY(c.W<QListView>(control::kProblems)->isVisible());
    QCOMPARE(title(), QStringLiteral("Problems (2)"));
  }
};

QTEST_MAIN(FindInFilesTest)
#include "find_in_files_test.moc"
