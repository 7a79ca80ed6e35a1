// Work the user typed is never dropped without a question: Quit, Unload and the close box ask
// about unsaved changes, the caption marks them, every command that leaves the line shown writes
// it first, and Save As asks before it replaces a file.

#include <gtest/gtest.h>

#include "support/session.h"

namespace dlg::test {
namespace {

const std::string kOld = R("10", "A") + R("20", "B") + R("30", "C");
const std::string kEdited = R("10", "X") + R("20", "B") + R("30", "C");
const std::string kTheirs = R("1", "Theirs");
const Strings kEdit = {"maleText=X", "leave box"};
const std::string kView = "10|NPC|X||", kOldView = "10|NPC|A||", kNoFile = "|||||no file";
const std::string kCaption = "?caption=Ashgloam -DLG Editor - a.dlg";
const std::string kMarked = kCaption + " *";

std::string SaveChanges(const std::string& doing) {
  return "yes/no/cancel exclamation Save Changes?: Save the changes to DIR/a.dlg before " + doing +
         "?";
}
const std::string kBeforeQuit = SaveChanges("quitting"), kBeforeUnload = SaveChanges("unloading");
const std::string kQuit = "yes/no none Quit?: Are you sure you want to quit?";
const std::string kSaved = "information Saving Changes: Changes Have Been Saved";
const std::string kChanged =
    "yes/no exclamation File Changed on Disk: DIR/a.dlg was changed by another program after it "
    "was loaded. Save over those changes?";
const std::string kSaveFailed = "critical File Error: Cannot write DIR/a.dlg: Input/output error";

// clang-format off
const Row kRows[] = {
    // Quit, Unload and the close box with changes: Yes saves, No throws away, Cancel stays.
    {"QuitYesSaves", kOld, kEdit + Strings{kMarked, "Yes", "Quit", "?ended=yes"}, kView,
     {kBeforeQuit}, {{"a.dlg", kEdited}, {"a.dlg.bak", kGone}}},
    {"QuitNoThrowsAway", kOld, kEdit + Strings{"No", "Quit", "?ended=yes"}, kView, {kBeforeQuit},
     {{"a.dlg.bak", kGone}}},
    {"QuitCancelStays", kOld, kEdit + Strings{"Cancel", "Quit", "?ended=no", kMarked}, kView,
     {kBeforeQuit}, {{"a.dlg.bak", kEdited}}},
    {"CloseCancelStays", kOld, kEdit + Strings{"Cancel", "close window", "?ended=no"}, kView,
     {kBeforeQuit}, {{"a.dlg.bak", kEdited}}},
    {"UnloadYesSaves", kOld, kEdit + Strings{"Yes", "Unload File", "?caption=Ashgloam -DLG Editor"},
     kNoFile, {kBeforeUnload}, {{"a.dlg", kEdited}, {"a.dlg.bak", kGone}}},
    {"UnloadNoThrowsAway", kOld, kEdit + Strings{"No", "Unload File"}, kNoFile, {kBeforeUnload},
     {{"a.dlg.bak", kGone}}},
    {"UnloadCancelStays", kOld, kEdit + Strings{"Cancel", "Unload File"}, kView, {kBeforeUnload},
     {{"a.dlg.bak", kEdited}}},
    // Yes makes every check of Save; a save that does not happen quits nothing.
    {"QuitYesMeetsAFileChangedOnDisk", kOld,
     kEdit + Strings{"write:a.dlg=" + kTheirs, "Yes", "No", "Quit", "?ended=no", kMarked}, kView,
     {kBeforeQuit, kChanged}, {{"a.dlg", kTheirs}, {"a.dlg.bak", kEdited}}},
    {"QuitYesWhoseSaveFails", kOld, kEdit + Strings{"fail rename", "Yes", "Quit", "?ended=no"},
     kView, {kBeforeQuit, kSaveFailed}, {{"a.dlg.bak", kEdited}}},
    // An edit typed back: the usual question, and no mark.
    {"AnEditTypedBackIsNoChange", kOld,
     kEdit + Strings{"maleText=A", "leave box", kCaption, "No", "Quit"}, kOldView, {kQuit}},
    {"SaveTakesTheMarkAway", kOld, kEdit + Strings{"Yes", "Save", kCaption}, kView,
     {"yes/no none Oberwrite?: Are you sure you wish to overwrite DIR/a.dlg?", kSaved},
     {{"a.dlg", kEdited}, {"a.dlg.bak", kEdited}}},

    // What the boxes show (here as the Flag Editor's Accept leaves it) is written before any
    // command shows another line.
    {"GoTo1WritesTheLineFirst", kOld, {"executionFlags=pc.x()", "Go to 1", kMarked}, kOldView, {},
     {{"a.dlg.bak", "{10}{A}{}{}{}{}{pc.x()}\r\n" + R("20", "B") + R("30", "C")}}},
    {"GoToWritesTheLineFirst", kOld, {"conditionFlags=a", "goToNumber=30", "Go to:"}, "30|NPC|C||", {},
     {{"a.dlg.bak", "{10}{A}{}{}{a}{}{}\r\n" + R("20", "B") + R("30", "C")}}},
    {"AddLineWritesTheLineFirst", kOld, {"maleText=X", "newLineNumber=15", "Add Line"},
     "15|[NPC]|||" "|Save New Line|no Go to 1", {}, {{"a.dlg.bak", kEdited}}},
    {"QuitWritesTheLineFirst", kOld, {"maleText=X", "No", "Quit", "?ended=yes"}, kView,
     {kBeforeQuit}, {{"a.dlg.bak", kGone}}},
    // A write that is refused stops the command.
    {"ARefusedWriteStopsGoTo", kOld, {"executionFlags=a}b", "goToNumber=30", "Go to:"}, kOldView,
     {"critical Cannot Save Line: The Executuion Flags: field holds a \"}\", which would end the "
      "field early. Remove it and leave the box again; the line was not saved."}},

    // Save As asks before it replaces a file, and never doubles ".dlg".
    {"SaveAsAsksBeforeReplacing", kOld,
     kEdit + Strings{"write:b.dlg=" + kTheirs, "input:b", "No", "Save As"}, kView,
     {"yes/no exclamation Replace File?: DIR/b.dlg already exists. Replace it?"},
     {{"a.dlg.bak", kEdited}, {"b.dlg", kTheirs}}},
    {"SaveAsReplacesOnYes", kOld,
     kEdit + Strings{"write:b.dlg=" + kTheirs, "input:b.dlg", "Yes", "Save As"}, kView,
     {"yes/no exclamation Replace File?: DIR/b.dlg already exists. Replace it?", kSaved},
     {{"a.dlg.bak", kEdited}, {"b.dlg", kEdited}}},
    {"SaveAsListsTheNewFile", kOld, kEdit + Strings{"input:c", "Save As",
                                                    "?files=a.dlg,c.dlg", "?fileList=a.dlg"},
     kView, {kSaved}, {{"a.dlg.bak", kEdited}, {"c.dlg", kEdited}}},
    // Under the loaded file's own name it is Save, with Save's check of a change on disk.
    {"SaveAsTheLoadedFileChecksLikeSave", kOld,
     kEdit + Strings{"write:a.dlg=" + kTheirs, "input:a.dlg", "No", "Save As", kMarked}, kView,
     {kChanged}, {{"a.dlg", kTheirs}, {"a.dlg.bak", kEdited}}},
};
// clang-format on

class UnsavedChanges : public testing::TestWithParam<Row> {};
TEST_P(UnsavedChanges, ShowBoxesAndBytes) { RunRow(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Rows, UnsavedChanges, testing::ValuesIn(kRows), RowName);

// A file that another editor has loaded is not replaced under it.
TEST(UnsavedChanges, SaveAsRefusesAFileInAnotherEditor) {
  Session s(kOld);
  s.dir.Put("b.dlg", kTheirs);
  ScriptedPlatform platform;
  Editor other(platform);
  other.window.fileList.path = s.dir.Path();
  other.window.fileList.fileName = "b.dlg";
  LoadFile(other);
  ASSERT_TRUE(other.state.fileLoaded);
  for (const std::string& step : kEdit + Strings{"input:b", "Save As"}) s.Step(step);
  EXPECT_EQ(s.Boxes(), Strings{"exclamation File In Use: DIR/b.dlg is open in another editor "
                               "window. Unload it there first."});
  EXPECT_EQ(ReadBytes(s.dir.File("b.dlg")), kTheirs);
}

}  // namespace
}  // namespace dlg::test
