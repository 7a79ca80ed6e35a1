// Work the user typed is never dropped without a question: Quit, Unload and the close box ask
// about unsaved changes, the caption marks them, every command that leaves the line shown writes
// it first, a new line is saved, dropped or kept as the user answers, and Save As asks before it
// replaces a file and refuses a name that is no file.

#include <gtest/gtest.h>

#include "commands/window_commands.h"
#include "support/session.h"

namespace dlg::test {
namespace {

const std::string kABC = R("10", "A") + R("20", "B") + R("30", "C");
const std::string kEdited = R("10", "X") + R("20", "B") + R("30", "C");
const std::string kTheirs = R("1", "Theirs");
const Steps kEdit = {MaleText("X"), LeaveFieldBox};
const std::string kView = "10|NPC|X||", kOldView = "10|NPC|A||", kNoFile = "|||||no file";
const Step kCaption = Is(Caption, "Ashgloam -DLG Editor - a.dlg");
const Step kMarked = Is(Caption, "Ashgloam -DLG Editor - a.dlg *");

const std::string kBeforeQuit = SaveChanges("quitting"), kBeforeUnload = SaveChanges("unloading");
const std::string kSaveFailed = "critical File Error: Cannot write DIR/a.dlg: Input/output error";

const std::string kOld = R("10", "Ten.") + R("11", "On.", "20") + R("20", "Twenty.");
const std::string kView10 = "10|NPC|Ten.|On.|20", kView20 = "20|NPC|Twenty.||";
const std::string kAsked =
    "yes/no/cancel exclamation Save New Line?: Save the new line 15 before leaving it?";
const std::string kSaved15 =
    R("10", "Ten.") + R("11", "On.", "20") + R("15", "New") + R("20", "Twenty.");
const std::string kTyping = "15|[NPC]|New|||Save New Line|no Go to 1";
const std::string kNotAFileBox = "critical Not a File: DIR/b.dlg ",
                  kFilesOnly = ": Save As writes files only. Please enter another name.";
// From line 20: Add Line 15 and type its male text.
const Steps kNew = {GoTo("20"), NewLineNumber("15"), AddLine, MaleText("New")};

bool FlagEditorShown(Session& s) { return s.ed.flagEditor && s.ed.flagEditor->visible; }
// The Flag Editor opened on line 10's execution flags, "x.set(1)" composed, then line 20 shown.
const Steps kFlagsFor10 = {GoTo("10"), AddExecutionFlags,
                           [](Session& s) { s.ed.flagEditor->text = "x.set(1)"; }, GoTo("20")};
const std::string kFlagsAsked =
    "yes/no exclamation Flag Editor: The Flag Editor was opened on line 10. Put its text into "
    "line 20, which is shown now?";

// clang-format off
const Row kRows[] = {
    // Quit, Unload and the close box with changes: Yes saves, No throws away, Cancel stays.
    {"QuitYesSaves", kABC, kEdit + Steps{kMarked, Yes, Quit, Is(Ended, true)}, kView,
     {kBeforeQuit}, {{"a.dlg", kEdited}, {"a.dlg.bak", kGone}}},
    {"QuitNoThrowsAway", kABC, kEdit + Steps{No, Quit, Is(Ended, true)}, kView, {kBeforeQuit},
     {{"a.dlg.bak", kGone}}},
    {"QuitCancelStays", kABC, kEdit + Steps{Cancel, Quit, Is(Ended, false), kMarked}, kView,
     {kBeforeQuit}, {{"a.dlg.bak", kEdited}}},
    {"CloseCancelStays", kABC, kEdit + Steps{Cancel, CloseWindow, Is(Ended, false)}, kView,
     {kBeforeQuit}, {{"a.dlg.bak", kEdited}}},
    {"UnloadYesSaves", kABC, kEdit + Steps{Yes, UnloadFile, Is(Caption, "Ashgloam -DLG Editor")},
     kNoFile, {kBeforeUnload}, {{"a.dlg", kEdited}, {"a.dlg.bak", kGone}}},
    {"UnloadCancelStays", kABC, kEdit + Steps{Cancel, UnloadFile}, kView, {kBeforeUnload},
     {{"a.dlg.bak", kEdited}}},
    // Yes makes every check of Save; a save that does not happen quits nothing.
    {"QuitYesMeetsAFileChangedOnDisk", kABC,
     kEdit + Steps{Write("a.dlg", kTheirs), Yes, No, Quit, Is(Ended, false), kMarked}, kView,
     {kBeforeQuit, kChangedOnDisk}, {{"a.dlg", kTheirs}, {"a.dlg.bak", kEdited}}},
    {"QuitWithALineThatCannotBeWritten", kABC,
     {Remove("a.dlg.bak"), MaleText("X"), Yes, Quit, Is(Ended, true)}, kView,
     {"critical File Error: Cannot read DIR/a.dlg.bak: No such file or directory",
      "yes/no exclamation Edit Not Saved: The edit of line 10 could not be written. Go on "
      "quitting without it?"}, {{"a.dlg.bak", kGone}}},
    {"QuitYesWhoseSaveFails", kABC, kEdit + Steps{FailRename, Yes, Quit, Is(Ended, false)},
     kView, {kBeforeQuit, kSaveFailed}, {{"a.dlg.bak", kEdited}}},
    // An edit typed back: the usual question, and no mark.
    {"AnEditTypedBackIsNoChange", kABC,
     kEdit + Steps{MaleText("A"), LeaveFieldBox, kCaption, No, Quit}, kOldView, {kQuit}},
    {"SaveTakesTheMarkAway", kABC, kEdit + Steps{Yes, Save, kCaption}, kView,
     {kOverwrite, kSaved}, {{"a.dlg", kEdited}, {"a.dlg.bak", kEdited}}},

    // What the boxes show (here as the Flag Editor's Accept leaves it) is written before any
    // command shows another line.
    {"GoTo1WritesTheLineFirst", kABC, {ExecutionFlags("pc.x()"), GoToFirstLine, kMarked}, kOldView,
     {}, {{"a.dlg.bak", "{10}{A}{}{}{}{}{pc.x()}\r\n" + R("20", "B") + R("30", "C")}}},
    {"GoToWritesTheLineFirst", kABC, {ConditionFlags("a"), GoTo("30")}, "30|NPC|C||", {},
     {{"a.dlg.bak", "{10}{A}{}{}{a}{}{}\r\n" + R("20", "B") + R("30", "C")}}},
    {"AddLineWritesTheLineFirst", kABC, {MaleText("X"), NewLineNumber("15"), AddLine},
     "15|[NPC]|||" "|Save New Line|no Go to 1", {}, {{"a.dlg.bak", kEdited}}},
    {"QuitWritesTheLineFirst", kABC, {MaleText("X"), No, Quit, Is(Ended, true)}, kView,
     {kBeforeQuit}, {{"a.dlg.bak", kGone}}},
    // A write that is refused stops the command.
    {"ARefusedWriteStopsGoTo", kABC, {ExecutionFlags("a}b"), GoTo("30")}, kOldView,
     {"critical Cannot Save Line: The Executuion Flags: field holds a \"}\", which would end the "
      "field early. Remove it and leave the box again; the line was not saved."}},

    // Save As asks before it replaces a file, and never doubles ".dlg".
    {"SaveAsAsksBeforeReplacing", kABC,
     kEdit + Steps{Write("b.dlg", kTheirs), Input("b"), No, SaveAs}, kView,
     {"yes/no exclamation Replace File?: DIR/b.dlg already exists. Replace it?"},
     {{"a.dlg.bak", kEdited}, {"b.dlg", kTheirs}}},
    {"SaveAsReplacesOnYes", kABC,
     kEdit + Steps{Write("b.dlg", kTheirs), Input("b.dlg"), Yes, SaveAs}, kView,
     {"yes/no exclamation Replace File?: DIR/b.dlg already exists. Replace it?", kSaved},
     {{"a.dlg.bak", kEdited}, {"b.dlg", kEdited}}},
    {"SaveAsListsTheNewFile", kABC,
     kEdit + Steps{Input("c"), SaveAs, Is(ListedFiles, "a.dlg,c.dlg"),
                   Is(PickedFile, "a.dlg")},
     kView, {kSaved}, {{"a.dlg.bak", kEdited}, {"c.dlg", kEdited}}},
    // Under the loaded file's own name it is Save, with Save's check of a change on disk.
    {"SaveAsTheLoadedFileChecksLikeSave", kABC,
     kEdit + Steps{Write("a.dlg", kTheirs), Input("a.dlg"), No, SaveAs, kMarked}, kView,
     {kChangedOnDisk}, {{"a.dlg", kTheirs}, {"a.dlg.bak", kEdited}}},
    // Leaving a new line by every way out: with typed text it is saved, dropped or kept as the
    // user answers "Save New Line?"; an empty one goes without a question.
    {"GoToYesSavesThenGoes", kOld, kNew + Steps{Yes, GoTo("10"), Is(UsedNumbers, "10,11,15,20")},
     kView10, {kAsked}, {{"a.dlg.bak", kSaved15}}},
    {"GoToNoDrops", kOld, kNew + Steps{No, GoTo("10"), Is(UsedNumbers, "10,11,20")},
     kView10, {kAsked}},
    {"GoToCancelKeepsTyping", kOld, kNew + Steps{Cancel, GoTo("10")}, kTyping, {kAsked}},
    {"NothingTypedGoesWithoutAQuestion", kOld, {NewLineNumber("15"), AddLine, GoTo("20")}, kView20},
    {"UsedNumberAsks", kOld, kNew + Steps{No, Pick(UsedNumbers, 0), GoToUsedNumber}, kView10,
     {kAsked}},
    // The number picked stays picked when the saved line joins the list before it.
    {"UsedNumberYesSavesThenGoes", kOld,
     kNew + Steps{Yes, Pick(UsedNumbers, 2), GoToUsedNumber, Is(PickedNumber, "20")}, kView20,
     {kAsked}, {{"a.dlg.bak", kSaved15}}},
    {"JumpYesSavesTheReply", kOld,
     kNew + Steps{JumpLine("20"), Yes, FollowJump}, kView20, {kAsked},
     {{"a.dlg.bak", R("10", "Ten.") + R("11", "On.", "20") + R("15", "New", "20") +
                    R("20", "Twenty.")}}},
    // Back from the new line goes first to the line where Add Line was clicked.
    {"BackAsks", kOld, kNew + Steps{No, GoBack}, kView20, {kAsked}},
    {"BackCancelStaysInTheHistory", kOld, kNew + Steps{Cancel, GoBack, Is(CanGoBack, true)},
     kTyping, {kAsked}},
    {"UnloadCancelKeepsTyping", kOld, kNew + Steps{Cancel, UnloadFile}, kTyping, {kAsked}},
    {"UnloadNoThenUnloads", kOld,
     kNew + Steps{AddConditionFlags, No, Yes, UnloadFile, Is(FlagEditorShown, false)},
     "||||" "|no file", {kAsked, kUnload}, {{"a.dlg.bak", kGone}}},
    // Accept puts the text composed for one line into another line's field only when told to.
    {"FlagsForAnotherLineNoKeepsBoth", kOld,
     kFlagsFor10 + Steps{No, AcceptFlagsOnLine, Is(ExecutionFlags, ""), Is(FlagEditorShown, true)},
     kView20, {kFlagsAsked}},
    {"FlagsForAnotherLineYesPutsThem", kOld,
     kFlagsFor10 + Steps{Yes, AcceptFlagsOnLine, Is(ExecutionFlags, "x.set(1)")}, kView20,
     {kFlagsAsked}},
    {"FlagsBackOnTheirLineWithoutAQuestion", kOld,
     kFlagsFor10 + Steps{GoTo("10"), AcceptFlagsOnLine, Is(ExecutionFlags, "x.set(1)")}, kView10},
    {"QuitYesSavesFirst", kOld, kNew + Steps{Yes, Yes, Quit, Is(Ended, true)}, "15||New||",
     {kAsked, SaveChanges("quitting")}, {{"a.dlg", kSaved15}, {"a.dlg.bak", kGone}}},
    // A second "Add Line" starts afresh, after the same question.
    {"SecondAddLineYesSavesTheFirst", kOld,
     kNew + Steps{Yes, NewLineNumber("16"), AddLine},
     "16|[NPC]|||" "|Save New Line|no Go to 1", {kAsked}, {{"a.dlg.bak", kSaved15}}},
    {"SecondAddLineNoThenUndoGoesBack", kOld,
     kNew + Steps{No, NewLineNumber("16"), AddLine, Undo}, kView20, {kAsked}},
    // Escape leaves new-line mode: a dropped line gives back the line shown before.
    {"EscapeNoGoesBack", kOld, kNew + Steps{No, EscapeNewLine}, kView20, {kAsked}},
    {"EscapeYesStaysOnTheSavedLine", kOld, kNew + Steps{Yes, EscapeNewLine}, "15||New||", {kAsked},
     {{"a.dlg.bak", kSaved15}}},
    {"EscapeNothingTyped", kOld, {GoTo("20"), NewLineNumber("15"), AddLine,
                                  EscapeNewLine}, kView20},
    // Save As onto a name that is no file is refused at once, without "Replace File?".
    {"SaveAsOntoAFolder", kOld, {MakeFolder("b.dlg"), Input("b"), SaveAs}, kView10,
     {kNotAFileBox + "is a folder" + kFilesOnly}, {{"b.dlg", kNotAFile}}},
    {"SaveAsOntoALinkToAFolder", kOld, {MakeFolder("sub"), Link("b.dlg", "sub"), Input("b"), SaveAs},
     kView10, {kNotAFileBox + "is a folder" + kFilesOnly}, {{"sub", kNotAFile}, {"b.dlg", kNotAFile}}},
    {"SaveAsOntoAPipe", kOld, {Fifo("b.dlg"), Input("b"), SaveAs}, kView10,
     {kNotAFileBox + "is not a regular file" + kFilesOnly}, {{"b.dlg", kNotAFile}}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(UnsavedChanges, StepRows, testing::ValuesIn(kRows), RowName);

// A file that another editor has loaded is not replaced under it.
TEST(UnsavedChanges, SaveAsRefusesAFileInAnotherEditor) {
  Session s(kABC);
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
