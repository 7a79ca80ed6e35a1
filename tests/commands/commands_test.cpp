// The commands that load, edit, add and save lines, and those that open files by name (New
// Dialogue, Open Recent, a file named on the command line), as step rows over real files: what
// the window shows afterwards, every box, and the bytes left on disk; then File > Translation.
// How the rewrite carries odd, unended and equal-numbered lines is fuzz/rewrite_fuzz.cpp's,
// against its own model.

#include <gtest/gtest.h>

#include "commands/boxes.h"
#include "commands/number_offers.h"
#include "commands/open_named.h"
#include "commands/translation.h"
#include "support/session.h"

namespace dlg::test {
namespace {

const std::string k10 = R("10", "A"), k20 = "{20}{B}{}{}{}{ }{}\r\n", k30 = R("30", "C");
const std::string kThree = k10 + k20 + k30;
const std::string kTen = "10|NPC|A||", kNoFile = "||||";  // the view after Unload is empty
const std::string kEdited = k10 + "{20}{X}{}{}{}{ }{}\r\n" + k30;
const Steps kGoTo20 = {GoTo("20"), MaleText("X")};
const std::string kGoTo20View = "20|NPC|X||";

std::string NotAName(const std::string& entry) {
  return "exclamation Not a File Name: \"" + entry +
         "\" is not a file name: the file is saved in the folder shown.";
}
const std::string kSelect = "none Select a .DLG file: Please select a dialogue (*.DLG) file";
const std::string kNaN = "\" does not begin with a number. Please enter a line number.";
const std::string kCannot = "critical Cannot Save Line: The ";
const std::string kNotSaved = ". Remove it and leave the box again; the line was not saved.";
const std::string kBig = "9223372036854775807", kSmall = "-9223372036854775808";
const std::string kHuge = "99999999999999999999";
// Values -5, 7.5, 9, 12, 13: only the last two are plain digits.
const std::string kForms = R("-5") + R("7.5") + R(" 9") + R("012") + R("0013");
Steps NewLine(const std::string& n) {
  return {NewLineNumber(n), AddLine, MaleText("Y"), SaveNewLine};
}

const std::string kA = "{10}{Hello.}{}{}{}{}{}\r\n";
const std::string kB = "{5}{Other.}{}{}{}{}{}\r\n";
const std::string kB7 = "{7}{Far.}{}{}{}{}{}\r\n";
const std::string kNew = kNewDialogueBytes;
const std::string kAView = "10|NPC|Hello.||", kBView = "5|NPC|Other.||", kNewView = "1|NPC|||";
const std::string kExists =
    "exclamation File Exists: DIR/b.dlg already exists. Please choose another name.";

// A file of the folder opened from Open Recent, the command line, or a list of the mod's lines.
Step Recent(const std::string& name) {
  return [=](Session& s) { OpenRecentFile(s.ed, s.dir.File(name)); };
}
Step Open(const std::string& name) {
  return [=](Session& s) { OpenNamedFile(s.ed, s.dir.File(name)); };
}
Step GoToLineIn(const std::string& name, const std::string& number) {
  return [=](Session& s) { GoToLineInFile(s.ed, s.dir.File(name), number); };
}
// As a row of a record "Go to:" never shows is opened: the file loaded, then the box.
Step CannotReachIn(const std::string& name, const std::string& note) {
  return [=](Session& s) {
    if (GoToLineInFile(s.ed, s.dir.File(name), "")) ShowCannotReach(s.ed, note);
  };
}

// clang-format off
const Row kRows[] = {
    // Load File
    {"LoadShowsTheFirstLineAndListsEveryNumber", k10 + R("2", "B") + R("1"),
     {Is(UsedNumbers, "10,2,1"), Is(Caption, "Ashgloam -DLG Editor - a.dlg")}, kTen},
    {"LoadWithNothingSelected", kThree, {Yes, UnloadFile, PickFile(""), LoadFile},
     kNoFile + "|no file", {kUnload, kSelect}, {{"a.dlg.bak", kGone}}},
    {"LoadAMissingFile", kThree, {Yes, UnloadFile, PickFile("b.dlg"), LoadFile},
     kNoFile + "|no file",
     {kUnload, "critical File Error: Cannot read DIR/b.dlg: No such file or directory"},
     {{"a.dlg.bak", kGone}}},
    {"PickAResponseShowsItsFlags", "{1}{a}{}{}{}{}{}\r\n{2}{b}{}{}{c}{0}{x}\r\n",
     {Pick(Replies, 0), PickReply,
      Is(ReplyFlags, "CONDITIONAL FLAGS::  c\r\nEXECUTION FLAGS::  x")}, "1|NPC|a|b|0"},
    // Leaving a field box writes the current line
    {"LeaveBoxRewritesTheLine", kThree, kGoTo20 + Steps{LeaveFieldBox}, kGoTo20View, {},
     {{"a.dlg.bak", kEdited}}},
    {"LeaveBoxUnchangedWritesTheSame", kThree, {LeaveFieldBox}, kTen},
    {"LeaveBoxWithoutAFile", kThree, kGoTo20 + Steps{PickFile(""), LeaveFieldBox}, kGoTo20View,
     {"critical Select a .DLG file: Please select a .DLG file"}, {{"a.dlg.bok", ""}}},
    {"LeaveBoxInNewLineModeWritesNothing", kThree, {NewLineNumber("15"), AddLine, LeaveFieldBox},
     "15|[NPC]|||" "|Save New Line|no Go to 1", {}, {{"a.dlg.bok", ""}}},
    {"LeaveBoxRefusesALineBreak", kThree, kGoTo20 + Steps{FemaleText("a\r\nb"), LeaveFieldBox},
     kGoTo20View, {kCannot + "Female Dialogue: field holds a line break, which would split the "
                   "line in two" + kNotSaved}},
    {"LeaveBoxRefusesABrace", kThree, kGoTo20 + Steps{ExecutionFlags("a}b"), LeaveFieldBox},
     kGoTo20View, {kCannot + "Executuion Flags: field holds a \"}\", which would end the field "
                   "early" + kNotSaved}},
    {"LeaveBoxOnALineTheCopyNoLongerHolds", kThree,
     kGoTo20 + Steps{Write("a.dlg.bak", k10 + k30), LeaveFieldBox}, kGoTo20View,
     {"critical Cannot Save Line: The line 20 is not in the working copy. The edit was not "
      "saved."}, {{"a.dlg.bak", k10 + k30}}},
    {"LeaveBoxOnALineThatRunsOn", "{1}{Hi}{}{}{}{}{}\n{2}{Bye}{}{}{}{0}{}\n", {MaleText("X"), LeaveFieldBox},
     "1|NPC|X||", {"critical Cannot Save Line: Line 1 runs on into the lines after it in the file (a line "
     "ended by LF or CR alone, a field missing, or text after the seventh \"}\"), so the boxes show parts of "
     "those lines, and writing it would copy them into line 1. The edit was not saved: Undo takes it back, "
     "and dlgcheck names what to mend in the file."}},
    // With no line shown, a record with an empty number is not the current line; the user
    // hears that the edit went nowhere.
    {"NoCurrentLineReplacesNothing", k10 + "\r\n{}{orphan}{}{}{}{}{}\r\n",
     {GoTo("0"), MaleText("X"), LeaveFieldBox}, "||X||",
     {"critical Cannot Save Line: No line is shown, so the edit was not saved. Go to a line "
      "first."}},
    // Add Line
    // Ctrl+Enter in a jump box that names no line: one question, then the line shown is
    // written and Add Line starts with that number.
    {"AddLineForAMissingJumpTarget", k10 + R("11", "a", "50"),
     {GoTo("11"), JumpLine("60"), Yes, AddJumpTarget,
      Is(NewLineNumber, "")}, "60|[NPC]|||" "|Save New Line|no Go to 1",
     {"yes/no exclamation Add Line: There is no line 60 yet. Add Line 60?"},
     {{"a.dlg.bak", k10 + R("11", "a", "60")}}},
    {"AddLineForAMissingJumpTargetNo", k10 + R("11", "a", "50"),
     {GoTo("11"), AddJumpTarget}, "11|PC|a||",
     {"yes/no exclamation Add Line: There is no line 50 yet. Add Line 50?"}},
    {"NoAddLineForAJumpTargetThere", kThree + R("31", "c", "20"),
     {GoTo("31"), AddJumpTarget}, "31|PC|c||"},
    // The list of line numbers stops at the blank line; line 60 is past it.
    {"NoAddLineForAJumpTargetPastABlankLine", k10 + R("11", "a", "50") + "\r\n" + R("60"),
     {GoTo("11"), JumpLine("60"), AddJumpTarget}, "11|PC|a||",
     {"critical Line Already Exists: Line 60 already exists, past the blank line where the list "
      "of line numbers stops."}},
    {"AddLineZero", kThree, {NewLineNumber("0"), AddLine}, kTen,
     {"none 0 is reserverd: 0 is a Reserved Number and Cannot be Added"}},
    // An empty number box is offered the next number above the line shown that no record
    // carries, the one after a blank line included; a second click takes it.
    {"AddLineOffersTheNextFreeNumber", kThree, {AddLine, Is(NewLineNumber, "11")}, kTen},
    {"AddLineOfferPassesCarriedNumbers", R("10") + R("11") + "\r\n" + R("12") + R("14"),
     {AddLine, Is(NewLineNumber, "13"), AddLine}, "13|[NPC]|||" "|Save New Line|no Go to 1"},
    {"AddLineOfferAboveAFraction", R("12.5") + R("13") + R("15"),
     {AddLine, Is(NewLineNumber, "14")}, "12.5|NPC|||"},
    {"AddLineUsedNumber", kThree, {NewLineNumber("20"), AddLine}, kTen,
     {"critical Line Already Exists: The line already exists, please enter a different number"}},
    // The list stops at the blank line; the record after it still holds its number.
    {"AddLineANumberAfterABlankLine", k10 + k20 + "\r\n" + k30,
     {Is(UsedNumbers, "10,20"), NewLineNumber("30"), AddLine, Is(NewLineNumber, "")}, kTen,
     {"critical Line Already Exists: The line already exists, please enter a different number"},
     {{"a.dlg.bak", k10 + k20 + "\r\n" + k30}}},
    {"AddLineNoNumber", kThree, {NewLineNumber("abc"), AddLine}, kTen,
     {"critical Not a Line Number: \"abc" + kNaN}},
    {"AddLineTooLarge", kThree, {NewLineNumber("9223372036854775808"), AddLine}, kTen,
     {"critical Line Number Too Large: The number 9223372036854775808 is too large. Please "
      "enter a line number from -9223372036854775808 to 9223372036854775807."}},
    {"AddLineOtherFormOfAUsedNumber", kThree, {NewLineNumber("012"), AddLine},
     "012|[NPC]|||" "|Save New Line|no Go to 1"},
    // Save New Line: the record goes after the next lower listed number, by value
    {"SaveNewLineBetween", kThree, NewLine("15") + Steps{Is(UsedNumbers, "10,15,20,30")},
     "15||Y||", {}, {{"a.dlg.bak", k10 + R("15", "Y") + k20 + k30}}},
    {"SaveNewLineFirst", kThree, NewLine("5"), "5||Y||", {}, {{"a.dlg.bak", R("5", "Y") + kThree}}},
    {"SaveNewLineEqualValue", kThree, NewLine("020"), "020||Y||", {},
     {{"a.dlg.bak", k10 + k20 + R("020", "Y") + k30}}},
    {"SaveNewLineFraction", kThree, NewLine("12.5") + Steps{Is(UsedNumbers, "10,12,20,30")},
     "12.5||Y||", {}, {{"a.dlg.bak", k10 + R("12.5", "Y") + k20 + k30}}},
    {"SaveNewLineIntoAnEmptyFile", "", NewLine("7"), "7||Y||", {}, {{"a.dlg.bak", R("7", "Y")}}},
    {"SaveNewLineSmallestAndLargest", kThree, NewLine(kSmall) + NewLine(kBig), kBig + "||Y||", {},
     {{"a.dlg.bak", R(kSmall, "Y") + kThree + R(kBig, "Y")}}},
    {"SaveNewLineBeforeAHugeNumber", k10 + R(kHuge), NewLine("50"), "50||Y||", {},
     {{"a.dlg.bak", k10 + R("50", "Y") + R(kHuge)}}},
    {"SaveNewLineAmongOtherForms", kForms, NewLine("8") + NewLine("12"), "12||Y||", {},
     {{"a.dlg.bak", R("-5") + R("7.5") + R("8", "Y") + R(" 9") + R("012") + R("12", "Y") + R("0013")}}},
    {"SaveNewLineRefusedThenTriedAgain", kThree,
     {NewLineNumber("15"), AddLine, MaleText("a\nb"), SaveNewLine, MaleText("Y"),
      SaveNewLine}, "15||Y||",
     {kCannot + "Male Dialogue: field holds a line break, which would split the line in two. "
      "Remove it and click \"Save New Line\" again; the line was not saved."},
     {{"a.dlg.bak", k10 + R("15", "Y") + k20 + k30}}},
    {"SaveNewLineWhosePlaceIsGone", kThree, Steps{Write("a.dlg.bak", k10 + k30)} + NewLine("25"),
     "25||Y||", {"critical Cannot Save Line: The line 20, after which the new line belongs, is not "
            "in the working copy. The new line was not saved."}, {{"a.dlg.bak", k10 + k30}}},
    // Save, Save As, Unload File, Quit
    {"SaveNo", kThree, kGoTo20 + Steps{LeaveFieldBox, No, Save}, kGoTo20View, {kOverwrite},
     {{"a.dlg.bak", kEdited}}},
    // A blank first line: its CR opens the first field, which no line carries as its number.
    {"SaveAnEditOfALineNoLineCarries", "\r\n" + kThree, {MaleText("X"), Yes, Save},
     "\n{10|NPC|X||", {"critical Cannot Save Line: The line \n{10 is not in the working copy. "
                       "The edit was not saved.", kOverwrite, kSaved},
     {{"a.dlg", "\r\n" + kThree}}},
    {"SaveWithoutAWorkingCopy", kThree, {Remove("a.dlg.bak"), Yes, Save}, kTen,
     {kOverwrite, "critical File Error: Cannot read DIR/a.dlg.bak: No such file or directory"},
     {{"a.dlg.bak", kGone}}},
    {"SaveAsCancelled", kThree, {SaveAs}, kTen},
    {"SaveAsThenSave", kThree,
     kGoTo20 + Steps{LeaveFieldBox, Input("b"), SaveAs, Yes, Save,
                     Is(Caption, "Ashgloam -DLG Editor - a.dlg"),
                     Is(Prompt, "Enter the name for the new .DLG file: ")},
     kGoTo20View, {kSaved, kOverwrite, kSaved},
     {{"a.dlg", kEdited}, {"a.dlg.bak", kEdited}, {"b.dlg", kEdited}}},
    {"SaveAsKeepsAGivenExtension", kThree, {Input("b.DLG"), SaveAs}, kTen, {kSaved},
     {{"b.DLG", kThree}}},
    {"SaveAsTheLoadedName", kThree, kGoTo20 + Steps{LeaveFieldBox, Input("a"), SaveAs},
     kGoTo20View, {kSaved}, {{"a.dlg", kEdited}, {"a.dlg.bak", kEdited}}},
    // A name, not a path: nothing is written outside the folder shown.
    {"SaveAsIntoAFolder", kThree, {Input("no/b"), SaveAs}, kTen, {NotAName("no/b")}},
    {"SaveAsAnAbsolutePath", kThree, {Input("/b"), SaveAs}, kTen, {NotAName("/b")}},
    {"SaveAsDotDot", kThree, {Input(".."), SaveAs}, kTen, {NotAName("..")}},
    // Followed, the link would make t.dlg; Yes would answer a question that must not come.
    {"SaveAsOverALinkToNothing", kThree, {Link("b.dlg", "t.dlg"), Input("b"), Yes, SaveAs}, kTen,
     {"exclamation Link Leads Nowhere: DIR/b.dlg is a link to a file that does not exist. Please "
      "choose another name."}, {{"b.dlg", kNotAFile}}},
    // The working copy of a file saved under a longer name could not be made at its Load.
    {"SaveAsTheLongestName", kThree, {Input(std::string(247, 'n')), SaveAs}, kTen,
     {kSaved}, {{std::string(247, 'n') + ".dlg", kThree}}},
    {"SaveAsANameTooLong", kThree, {Input(std::string(248, 'n')), SaveAs}, kTen,
     {"exclamation File Name Too Long: The name " + std::string(248, 'n') + ".dlg is too long: "
      "the editor keeps a working copy beside the file under its name and \".bak\", and a name "
      "may have at most 255 bytes. Please choose a shorter name."}},
    {"UnloadNo", kThree, {No, UnloadFile}, kTen, {kUnload}},
    {"UnloadYesRemovesBothCopies", kThree,
     {NewLineNumber("15"), AddLine, LeaveFieldBox, Yes, UnloadFile,
      Is(Caption, "Ashgloam -DLG Editor"), Is(UsedNumbers, "")}, kNoFile + "|no file", {kUnload},
     {{"a.dlg.bak", kGone}}},
    {"QuitNo", kThree, {No, Quit, Is(Ended, false)}, kTen, {kQuit}},
    {"QuitYes", kThree, {Yes, Quit, Is(Ended, true)}, kTen, {kQuit}, {{"a.dlg.bak", kGone}}},
    {"QuitWithNoFile", kThree, {Yes, UnloadFile, Quit, Is(Ended, true)}, kNoFile + "|no file",
     {kUnload}, {{"a.dlg.bak", kGone}}},
    {"CloseNoIsRefused", kThree, {No, CloseWindow, Is(Ended, false)}, kTen, {kQuit}},
    // Files opened by name: New Dialogue, Open Recent and a file named on the command line, each
    // loading as Load File does, the loaded file unloaded first with its questions.
    {"NewUnloadsTheLoadedFileFirst", kA,
     {Input("b"), Yes, NewDialogue, Is(Caption, "Ashgloam -DLG Editor - b.dlg")},
     kNewView, {kUnload}, {{"a.dlg.bak", kGone}, {"b.dlg", kNew}, {"b.dlg.bak", kNew}}},
    {"NewKeepsANameThatEndsInDlg", kA, {Input("c.DLG"), Yes, NewDialogue}, kNewView,
     {kUnload}, {{"a.dlg.bak", kGone}, {"c.DLG", kNew}, {"c.DLG.bak", kNew}}},
    // An answer that keeps the loaded file stops New Dialogue before anything is made.
    {"NewStopsWhenUnloadIsRefused", kA, {Input("b"), No, NewDialogue}, kAView, {kUnload}},
    {"NewAsksAboutUnsavedChanges", kA,
     {MaleText("X"), LeaveFieldBox, Input("b"), Cancel, NewDialogue}, "10|NPC|X||",
     {SaveChanges("unloading")}, {{"a.dlg.bak", "{10}{X}{}{}{}{}{}\r\n"}}},
    {"NewRefusesAnExistingName", kA, {Write("b.dlg", kB), Input("b"), NewDialogue}, kAView,
     {kExists}, {{"b.dlg", kB}}},
    {"NewRefusesAnExistingLink", kA, {Link("b.dlg", "nowhere"), Input("b.dlg"), NewDialogue},
     kAView, {kExists}, {{"b.dlg", kNotAFile}}},
    {"NewCancelledMakesNothing", kA, {Input(""), NewDialogue}, kAView},
    {"NewRefusesAPath", kA, {Input("../b"), NewDialogue}, kAView,
     {"exclamation Not a File Name: \"../b\" is not a file name: the file is made in the folder "
      "shown."}},
    {"NewRefusesANameTooLongForItsCopy", kA, {Input(std::string(248, 'n')), NewDialogue},
     kAView, {"exclamation File Name Too Long: The name " + std::string(248, 'n') + ".dlg is too "
              "long: the editor keeps a working copy beside the file under its name and \".bak\", "
              "and a name may have at most 255 bytes. Please choose a shorter name."}},
    // Open Recent: another file after the usual question; a file that is gone is said so.
    {"RecentLoadsAnotherFile", kA, {Write("b.dlg", kB), Yes, Recent("b.dlg")}, kBView,
     {kUnload}, {{"a.dlg.bak", kGone}, {"b.dlg", kB}, {"b.dlg.bak", kB}}},
    {"RecentThatIsGone", kA, {Recent("gone.dlg")}, kAView,
     {"exclamation File Not Found: DIR/gone.dlg is no longer there. It has been taken off the "
      "list of recent files."}},
    // One that cannot be read (a link loop, a FIFO, its folder made a file) keeps the loaded one.
    {"RecentThatCannotBeReadKeepsTheLoadedOne", kA, {Recent("a.dlg/b.dlg")}, kAView,
     {"critical File Error: Cannot read DIR/a.dlg/b.dlg: Not a directory"}},
    // Named on the command line, nothing loaded: the same box as Load File for a missing file.
    {"OpenedByNameThroughItsFolder", kA,
     {Yes, UnloadFile, MakeFolder("sub"), Write("b.dlg", kB), Open("./sub/../b.dlg"),
      Is(PickedFile, "b.dlg")}, kBView,
     {kUnload}, {{"a.dlg.bak", kGone}, {"b.dlg", kB}, {"b.dlg.bak", kB}, {"sub", kNotAFile}}},
    // A ".." after a link leaves the folder the link names, as the shell's "cat" would.
    {"OpenedByNameThroughALink", kA,
     {Yes, UnloadFile, MakeFolder("sub/deep"), Link("lnk", "sub/deep"), Write("b.dlg", kA),
      Write("sub/b.dlg", kB), Open("lnk/../b.dlg"), Is(PickedFile, "b.dlg")}, kBView,
     {kUnload}, {{"a.dlg.bak", kGone}, {"b.dlg", kA}, {"lnk", kNotAFile}, {"sub", kNotAFile}}},
    {"OpenedByNameThroughAFolderThatIsMissing", kA, {Yes, UnloadFile, Open("sub/../b.dlg")},
     "|||||no file", {kUnload, "critical File Error: Cannot open folder DIR/sub/..: No such "
                      "file or directory"}, {{"a.dlg.bak", kGone}}},
    {"OpenedByNameThatIsAFolder", kA, {Yes, UnloadFile, MakeFolder("sub"),
     Write("sub/b.dlg", kB), Open("sub/"), Is(ListedFiles, "b.dlg")}, "|||||no file",
     {kUnload}, {{"a.dlg.bak", kGone}, {"sub", kNotAFile}}},
    {"OpenedByNameThatIsMissing", kA, {Yes, UnloadFile, Open("none.dlg")}, "|||||no file",
     {kUnload, "critical File Error: Cannot read DIR/none.dlg: No such file or directory"},
     {{"a.dlg.bak", kGone}}},
    // A line picked in a list of the mod's files: in the loaded file no question; another file
    // after Unload File's, which may keep the loaded one.
    {"GoToLineInTheLoadedFile", kA + "{11}{Hi.}{}{}{}{0}{}\r\n" + "{20}{There.}{}{}{}{}{}\r\n",
     {GoToLineIn("a.dlg", "20")}, "20|NPC|There.||"},
    {"GoToLineInAnotherFile", kA,
     {Write("b.dlg", kB + kB7), Yes, GoToLineIn("b.dlg", "7")}, "7|NPC|Far.||", {kUnload},
     {{"a.dlg.bak", kGone}, {"b.dlg", kB + kB7}, {"b.dlg.bak", kB + kB7}}},
    {"GoToLineInAnotherFileKeptLoaded", kA, {Write("b.dlg", kB), No, GoToLineIn("b.dlg", "5")},
     kAView, {kUnload}, {{"b.dlg", kB}}},
    // A record "Go to:" never shows: its file is loaded, to renumber it, and the box says why.
    {"GoToLineThatCannotBeReachedInAnotherFile", kA,
     {Write("b.dlg", kB + kB7), Yes, CannotReachIn("b.dlg", "Why not.")}, "5|NPC|Other.||",
     {kUnload, "information Line Cannot Be Reached: Why not."},
     {{"a.dlg.bak", kGone}, {"b.dlg", kB + kB7}, {"b.dlg.bak", kB + kB7}}},
    {"GoToLineInAFileGoneSinceKeepsTheLoadedOne", kA, {GoToLineIn("b.dlg", "5")}, kAView,
     {"critical File Error: Cannot read DIR/b.dlg: No such file or directory"}},
};
// clang-format on

// The NPC lines the Jump to Line box offers, by the bytes of their numbers, a long text cut at
// a blank; replies and lines without a number are left out.
TEST(JumpTargets, ListsNpcLinesByNumber) {
  JumpTargets t;
  ListJumpTargets(R("20", "Sit low in the boat, and keep your hands inside it.") +
                      R("21", "Yes.", "100") + R("100", "Dry land.", " ") + R("3") + R("", "x"),
                  t);
  EXPECT_EQ(Join(t.rows), "100  Dry land.,20  Sit low in the boat, and keep your hands...,3  ");
  EXPECT_EQ(Join(t.numbers), "100,20,3");
}

TEST_P(StepRows, ShowBoxesAndBytes) { RunRow(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Commands, StepRows, testing::ValuesIn(kRows), RowName);

const std::string kToTranslate = "{1}{Hi.}{Hi, lady.}{}{}{}{}\r\n{2}{Bye.}{}{}{}{0}{}\r\n";

// A wording cut off by its line end is left out, and the box says so; a folder of the name is
// no file to replace.
TEST(TranslationTest, ExportWritesThePoFileBesideTheDialogue) {
  Session s(kToTranslate + "{3}{cut off\r\n");
  std::filesystem::create_directory(s.dir.File("de.po"));
  s.platform.inputs = {"fr", "de"};
  ExportForTranslation(s.ed);
  ExportForTranslation(s.ed);
  EXPECT_EQ(s.Boxes(), (Strings{"none Export for Translation: a.dlg:3: record 3's male wording is "
                                "not closed by \"}\"; left out\n3 wordings written to DIR/fr.po.",
                                "critical File Error: Cannot write DIR/de.po: Is a directory"}));
  const std::string po = ReadBytes(s.dir.File("fr.po"));
  EXPECT_NE(po.find("#: a.dlg:1\nmsgctxt \"1 female\"\nmsgid \"Hi, lady.\""), std::string::npos)
      << po;
}

// An existing file is replaced only after a Yes; a refused translation writes nothing; a Yes to
// loading the new file loads it without asking "Unload?" again.
TEST(TranslationTest, ImportAsksBeforeReplacingAndOffersToLoad) {
  Session s(kToTranslate);
  s.dir.Put("fr.po",
            "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
            "msgctxt \"2\"\nmsgid \"Bye.\"\nmsgstr \"Adieu.\"\n");
  // A "}", and eleven contexts of no record: the box lists the first ten.
  std::string bad = "msgctxt \"2\"\nmsgid \"Bye.\"\nmsgstr \"}\"\n";
  for (int i = 0; i < 11; ++i)
    bad += "\nmsgctxt \"x" + std::to_string(i) + "\"\nmsgid \"a\"\nmsgstr \"b\"\n";
  s.dir.Put("bad.po", bad);
  s.dir.Put("fr.dlg", "old");
  s.platform.inputs = {"bad.po", "fr", "fr.po", "fr", "fr.po", "fr"};
  s.platform.answers = {MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::Yes};
  ImportTranslation(s.ed);  // refused
  ImportTranslation(s.ed);  // No to Replace File?
  EXPECT_EQ(ReadBytes(s.dir.File("fr.dlg")), "old");
  ImportTranslation(s.ed);  // Yes, then Yes to loading it
  EXPECT_EQ(ReadBytes(s.dir.File("fr.dlg")),
            "{1}{Hi.}{Hi, lady.}{}{}{}{}\r\n{2}{Adieu.}{}{}{}{0}{}\r\n");
  EXPECT_EQ(s.ed.state.dialoguePath, s.dir.File("fr.dlg"));
  std::string refused =
      "critical Translation Refused: bad.po:3: the translation holds \"}\", which would end the "
      "field in the dialogue file\n";
  for (int i = 0; i < 9; ++i)
    refused += "bad.po:" + std::to_string(7 + 4 * i) + ": the context \"x" + std::to_string(i) +
               "\" names no record of a.dlg\n";
  refused += "... and 2 more, which po2dlg lists.\nDIR/fr.dlg was not written.";
  EXPECT_EQ(
      s.Boxes(),
      (Strings{refused, "yes/no exclamation Replace File?: DIR/fr.dlg already exists. Replace it?",
               "yes/no exclamation Replace File?: DIR/fr.dlg already exists. Replace it?",
               "yes/no none Translation Imported: 1 of 3 wordings translated, 0 fuzzy left out. "
               "Load DIR/fr.dlg now?"}));
}

}  // namespace
}  // namespace dlg::test
