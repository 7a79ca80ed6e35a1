// Leaving a new line by every way out: a line with typed text is saved, dropped or kept as the
// user answers "Save New Line?"; an empty one goes without a question. Then Save As onto a name
// that is no file.

#include <gtest/gtest.h>

#include "support/session.h"

namespace dlg::test {
namespace {

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

std::string PickedNumber(Session& s) { return s.ed.window.usedNumbers.SelectedText(); }

// clang-format off
const Row kRows[] = {
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
    {"UnloadNoThenUnloads", kOld, kNew + Steps{No, Yes, UnloadFile}, "||||" "|no file",
     {kAsked, kUnload}, {{"a.dlg.bak", kGone}}},
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
    // Undo is the user's own word: it drops the line without a question.
    {"UndoDropsWithoutAQuestion", kOld, kNew + Steps{Undo}, kView20},
    // Save As onto a name that is no file is refused at once, without "Replace File?".
    {"SaveAsOntoAFolder", kOld, {MakeFolder("b.dlg"), Input("b"), SaveAs}, kView10,
     {kNotAFileBox + "is a folder" + kFilesOnly}, {{"b.dlg", kNotAFile}}},
    {"SaveAsOntoALinkToAFolder", kOld, {MakeFolder("sub"), Link("b.dlg", "sub"), Input("b"), SaveAs},
     kView10, {kNotAFileBox + "is a folder" + kFilesOnly}, {{"sub", kNotAFile}, {"b.dlg", kNotAFile}}},
    {"SaveAsOntoAPipe", kOld, {Fifo("b.dlg"), Input("b"), SaveAs}, kView10,
     {kNotAFileBox + "is not a regular file" + kFilesOnly}, {{"b.dlg", kNotAFile}}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(LeaveNewLine, StepRows, testing::ValuesIn(kRows), RowName);

}  // namespace
}  // namespace dlg::test
