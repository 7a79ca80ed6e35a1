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
const Steps kEdit = {MaleText("X"), LeaveFieldBox};
const std::string kView = "10|NPC|X||", kOldView = "10|NPC|A||", kNoFile = "|||||no file";
const Step kCaption = Is(Caption, "Ashgloam -DLG Editor - a.dlg");
const Step kMarked = Is(Caption, "Ashgloam -DLG Editor - a.dlg *");

const std::string kBeforeQuit = SaveChanges("quitting"), kBeforeUnload = SaveChanges("unloading");
const std::string kSaveFailed = "critical File Error: Cannot write DIR/a.dlg: Input/output error";

// clang-format off
const Row kRows[] = {
    // Quit, Unload and the close box with changes: Yes saves, No throws away, Cancel stays.
    {"QuitYesSaves", kOld, kEdit + Steps{kMarked, Yes, Quit, Is(Ended, true)}, kView,
     {kBeforeQuit}, {{"a.dlg", kEdited}, {"a.dlg.bak", kGone}}},
    {"QuitNoThrowsAway", kOld, kEdit + Steps{No, Quit, Is(Ended, true)}, kView, {kBeforeQuit},
     {{"a.dlg.bak", kGone}}},
    {"QuitCancelStays", kOld, kEdit + Steps{Cancel, Quit, Is(Ended, false), kMarked}, kView,
     {kBeforeQuit}, {{"a.dlg.bak", kEdited}}},
    {"CloseCancelStays", kOld, kEdit + Steps{Cancel, CloseWindow, Is(Ended, false)}, kView,
     {kBeforeQuit}, {{"a.dlg.bak", kEdited}}},
    {"UnloadYesSaves", kOld, kEdit + Steps{Yes, UnloadFile, Is(Caption, "Ashgloam -DLG Editor")},
     kNoFile, {kBeforeUnload}, {{"a.dlg", kEdited}, {"a.dlg.bak", kGone}}},
    {"UnloadCancelStays", kOld, kEdit + Steps{Cancel, UnloadFile}, kView, {kBeforeUnload},
     {{"a.dlg.bak", kEdited}}},
    // Yes makes every check of Save; a save that does not happen quits nothing.
    {"QuitYesMeetsAFileChangedOnDisk", kOld,
     kEdit + Steps{Write("a.dlg", kTheirs), Yes, No, Quit, Is(Ended, false), kMarked}, kView,
     {kBeforeQuit, kChangedOnDisk}, {{"a.dlg", kTheirs}, {"a.dlg.bak", kEdited}}},
    {"QuitYesWhoseSaveFails", kOld, kEdit + Steps{FailRename, Yes, Quit, Is(Ended, false)},
     kView, {kBeforeQuit, kSaveFailed}, {{"a.dlg.bak", kEdited}}},
    // An edit typed back: the usual question, and no mark.
    {"AnEditTypedBackIsNoChange", kOld,
     kEdit + Steps{MaleText("A"), LeaveFieldBox, kCaption, No, Quit}, kOldView, {kQuit}},
    {"SaveTakesTheMarkAway", kOld, kEdit + Steps{Yes, Save, kCaption}, kView,
     {kOverwrite, kSaved}, {{"a.dlg", kEdited}, {"a.dlg.bak", kEdited}}},

    // What the boxes show (here as the Flag Editor's Accept leaves it) is written before any
    // command shows another line.
    {"GoTo1WritesTheLineFirst", kOld, {ExecutionFlags("pc.x()"), GoToFirstLine, kMarked}, kOldView,
     {}, {{"a.dlg.bak", "{10}{A}{}{}{}{}{pc.x()}\r\n" + R("20", "B") + R("30", "C")}}},
    {"GoToWritesTheLineFirst", kOld, {ConditionFlags("a"), GoTo("30")}, "30|NPC|C||", {},
     {{"a.dlg.bak", "{10}{A}{}{}{a}{}{}\r\n" + R("20", "B") + R("30", "C")}}},
    {"AddLineWritesTheLineFirst", kOld, {MaleText("X"), NewLineNumber("15"), AddLine},
     "15|[NPC]|||" "|Save New Line|no Go to 1", {}, {{"a.dlg.bak", kEdited}}},
    {"QuitWritesTheLineFirst", kOld, {MaleText("X"), No, Quit, Is(Ended, true)}, kView,
     {kBeforeQuit}, {{"a.dlg.bak", kGone}}},
    // A write that is refused stops the command.
    {"ARefusedWriteStopsGoTo", kOld, {ExecutionFlags("a}b"), GoTo("30")}, kOldView,
     {"critical Cannot Save Line: The Executuion Flags: field holds a \"}\", which would end the "
      "field early. Remove it and leave the box again; the line was not saved."}},

    // Save As asks before it replaces a file, and never doubles ".dlg".
    {"SaveAsAsksBeforeReplacing", kOld,
     kEdit + Steps{Write("b.dlg", kTheirs), Input("b"), No, SaveAs}, kView,
     {"yes/no exclamation Replace File?: DIR/b.dlg already exists. Replace it?"},
     {{"a.dlg.bak", kEdited}, {"b.dlg", kTheirs}}},
    {"SaveAsReplacesOnYes", kOld,
     kEdit + Steps{Write("b.dlg", kTheirs), Input("b.dlg"), Yes, SaveAs}, kView,
     {"yes/no exclamation Replace File?: DIR/b.dlg already exists. Replace it?", kSaved},
     {{"a.dlg.bak", kEdited}, {"b.dlg", kEdited}}},
    {"SaveAsListsTheNewFile", kOld,
     kEdit + Steps{Input("c"), SaveAs, Is(ListedFiles, "a.dlg,c.dlg"),
                   Is(PickedFile, "a.dlg")},
     kView, {kSaved}, {{"a.dlg.bak", kEdited}, {"c.dlg", kEdited}}},
    // Under the loaded file's own name it is Save, with Save's check of a change on disk.
    {"SaveAsTheLoadedFileChecksLikeSave", kOld,
     kEdit + Steps{Write("a.dlg", kTheirs), Input("a.dlg"), No, SaveAs, kMarked}, kView,
     {kChangedOnDisk}, {{"a.dlg", kTheirs}, {"a.dlg.bak", kEdited}}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(UnsavedChanges, StepRows, testing::ValuesIn(kRows), RowName);

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
  for (const Step& step : kEdit + Steps{Input("b"), SaveAs}) step(s);
  EXPECT_EQ(s.Boxes(), Strings{"exclamation File In Use: DIR/b.dlg is open in another editor "
                               "window. Unload it there first."});
  EXPECT_EQ(ReadBytes(s.dir.File("b.dlg")), kTheirs);
}

}  // namespace
}  // namespace dlg::test
