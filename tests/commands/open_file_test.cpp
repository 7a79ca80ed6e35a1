// "Load File" over real files: what the window shows, the used-number list and the working copy.

#include <gtest/gtest.h>

#include "commands/editor.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace dlg {
namespace {

class LoadFileTest : public testing::Test {
 protected:
  test::TempDir dir;
  test::ScriptedPlatform platform;
  Editor ed{platform};

  void Select(const std::string& name, const std::string& bytes) {
    dir.Put(name, bytes);
    ed.window.File1.path = dir.Path();
    ed.window.File1.fileName = name;
  }
};

TEST_F(LoadFileTest, NothingSelectedChangesNothing) {
  ed.window.File1.path = dir.Path();
  Command2_Click(ed);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0], (test::ShownBox{"Please select a dialogue (*.DLG) file",
                                               "Select a .DLG file", MsgButtons::Ok,
                                               MsgIcon::None}));
  EXPECT_FALSE(ed.state.fileLoaded);
  EXPECT_FALSE(ed.window.Frame1.enabled);
  EXPECT_TRUE(ed.window.Command2.enabled);
  EXPECT_EQ(ed.window.caption, "Ashgloam -DLG Editor");
}

TEST_F(LoadFileTest, LoadsFirstRecordNumbersAndWorkingCopy) {
  const std::string bytes =
      "{1}{Hello}{}{}{}{}{}\r\n{2}{Hi}{Hey}{}{}{5}{}\r\n{5}{Bye}{}{}{}{}{}\r\n{3}{x}{}{}{}{0}{}\r\n";
  Select("a.dlg", bytes);
  Command2_Click(ed);
  EXPECT_TRUE(platform.boxes.empty());
  const EditorWindow& w = ed.window;
  EXPECT_EQ(w.txtLineNum.text, "1");
  EXPECT_EQ(w.txtDialogue.text, "Hello");
  EXPECT_EQ(w.txtnpc.text, "NPC");
  EXPECT_EQ(w.lstresponses.items, (std::vector<std::string>{"Hi", "Hey"}));
  EXPECT_EQ(w.lstusednum.items, (std::vector<std::string>{"1", "2", "5", "3"}));
  EXPECT_EQ(ed.state.lastLineNumber, "3");
  EXPECT_EQ(ed.state.dialoguePath, dir.File("a.dlg"));
  EXPECT_EQ(test::ReadBytes(dir.File("a.dlg.bak")), bytes);
  EXPECT_EQ(w.caption, "Ashgloam -DLG Editor - a.dlg");
  EXPECT_TRUE(ed.state.fileLoaded);
  EXPECT_TRUE(w.Frame1.enabled);
  for (bool off : {w.Command2.enabled, w.File1.enabled, w.Dir1.enabled, w.Drive1.enabled}) {
    EXPECT_FALSE(off);
  }
  for (bool on : {w.Command8.enabled, w.Command9.enabled, w.Commandsave.enabled}) {
    EXPECT_TRUE(on);
  }
}

struct ScanCase {
  const char* name;
  std::string file;
  std::vector<std::string> numbers;
  std::string last;
};

class UsedNumberScanTest : public testing::TestWithParam<ScanCase> {};

TEST_P(UsedNumberScanTest, ListsNumbers) {
  const ScanCase& c = GetParam();
  test::ScriptedPlatform platform;
  Editor ed(platform);
  CharSource src(c.file);
  UsedNumberScan(src, ed.state, ed.window);
  EXPECT_EQ(ed.window.lstusednum.items, c.numbers);
  EXPECT_EQ(ed.state.lastLineNumber, c.last);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsedNumberScanTest,
    testing::Values(
        ScanCase{"BlankLineStopsScan", "{1}{}\r\n{2}{}\r\n\r\n{3}{}\r\n", {"1", "2"}, "2"},
        ScanCase{"EmptyNumberListed", "{}{a}\r\n{4}{}\r\n", {"", "4"}, "4"},
        ScanCase{"BraceFirstListsNothing", "}{a}\r\n{4}{}\r\n", {"4"}, "4"},
        ScanCase{"LineBreakInNumberStops", "{1}{}\r\n{2\r\n{3}\r\n", {"1"}, "1"},
        ScanCase{"LfOnlyReadsOnToCr", "{1}{}\n{2}{}\r\n{3}{}\r\n", {"1", "3"}, "3"},
        ScanCase{"LastLineWithoutCrLf", "{1}{}\r\n{2}{}", {"1", "2"}, "2"},
        ScanCase{"CutInsideNumber", "{1}{}\r\n{2", {"1"}, "1"},
        ScanCase{"Empty", "", {}, ""}),
    [](const auto& info) { return info.param.name; });

TEST_F(LoadFileTest, OddFilesLoadWithoutHanging) {
  for (const std::string bytes : {"", "}{x}{}{}{}{}{}\r\n{2}{}\r\n", "{1}{abc", "{12"}) {
    test::ScriptedPlatform p;
    Editor e(p);
    dir.Put("odd.dlg", bytes);
    e.window.File1.path = dir.Path();
    e.window.File1.fileName = "odd.dlg";
    Command2_Click(e);
    EXPECT_TRUE(e.state.fileLoaded);
    EXPECT_EQ(test::ReadBytes(dir.File("odd.dlg.bak")), bytes);
    EXPECT_TRUE(e.window.Command8.enabled);
  }
}

TEST_F(LoadFileTest, UnreadableFileIsReportedAndNothingLoads) {
  ed.window.File1.path = dir.Path();
  ed.window.File1.fileName = "missing.dlg";
  Command2_Click(ed);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].icon, MsgIcon::Critical);
  EXPECT_NE(platform.boxes[0].text.find(dir.File("missing.dlg")), std::string::npos);
  EXPECT_FALSE(ed.state.fileLoaded);
  EXPECT_TRUE(ed.window.Command2.enabled);
  EXPECT_FALSE(test::FileExists(dir.File("missing.dlg.bak")));
}

TEST(Browse, ListsFoldersAndDialoguesOnly) {
  test::TempDir dir;
  dir.Put("b.dlg", "");
  dir.Put("a.DLG", "");
  dir.Put("notes.txt", "");
  std::filesystem::create_directory(dir.File("sub"));
  test::ScriptedPlatform platform;
  Editor ed(platform);
  Dir1_Change(ed, dir.Path());
  EXPECT_EQ(ed.window.File1.files, (std::vector<std::string>{"a.DLG", "b.dlg"}));
  EXPECT_EQ(ed.window.Dir1.subfolders, (std::vector<std::string>{"sub"}));
  EXPECT_EQ(ed.window.Dir1.ancestors.front(), "/");
  EXPECT_EQ(ed.window.Dir1.ancestors.back(), dir.Path());

  Dir1_Change(ed, dir.File("nowhere"));
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].icon, MsgIcon::Critical);
  EXPECT_EQ(ed.window.Dir1.path, dir.Path());
}

}  // namespace
}  // namespace dlg
