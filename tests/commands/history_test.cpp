// The two histories as step rows over real files. Undo and Redo: the working copy's bytes after
// each step, the line shown, the names the menu gives, the caption's mark, and the boxes that stop
// them. Back and Forward: the line shown after each, and what they write and show on the way.

#include <gtest/gtest.h>

#include <random>

#include "support/session.h"

namespace dlg::test {
namespace {

const std::string kEdited = kHail + R("20", "X", " ") + R("21", "Back.", "10") + kThirty;
const std::string kNew15 = kHail + R("15", "New") + kTwenty + kThirty;
const std::string kViewX = "20|NPC|X|Back.|10";
const std::string kSaveNew15 =
    "yes/no/cancel exclamation Save New Line?: Save the new line 15 before leaving it?";
const Step kNumbers = Is(UsedNumbers, "10,11,12,20,21,30,31");

const Steps kEdit20 = {GoTo("20"), MaleText("X"), LeaveFieldBox};
const Steps kAdd15 = {NewLineNumber("15"), AddLine, MaleText("New"), SaveNewLine};
const Step kCaption = Is(Caption, "Ashgloam -DLG Editor - a.dlg"),
           kMarked = Is(Caption, "Ashgloam -DLG Editor - a.dlg *");
const std::string kChanged =
    "exclamation Working Copy Changed: DIR/a.dlg.bak was changed by another program after this "
    "editor last wrote it, so nothing was ";
const std::string kTheirs = R("1", "Theirs");
// kEdited with one byte changed: its size, and its time put back.
const std::string kEditedByThem = R("10", "Hbil.") + kEdited.substr(R("10", "Hail.").size());

const std::string kView30 = "30|NPC|Thirty.|Again.|20";
// Load shows 10; Respond goes to 20, "Go to:" to 31, and its "Jump" to 20 again.
const Steps kWalk = {Pick(Replies, 0), Respond, GoTo("31"), FollowJump, Is(LineNumber, "20")};
Step At(const std::string& n) { return Is(LineNumber, n); }

// clang-format off
const Row kRows[] = {
    {"EditUndoRedo", kTalk,
     kEdit20 + Steps{Is(Copy, kEdited), kMarked, Is(UndoItem, "Edit of Line 20"), Is(RedoItem, ""),
                     Undo, Is(Copy, kTalk), Is(MaleText, "Twenty."), kCaption, Is(UndoItem, ""),
                     Is(RedoItem, "Edit of Line 20"), Redo, Is(Copy, kEdited), kMarked,
                     Is(UndoItem, "Edit of Line 20"), Is(RedoItem, "")},
     kViewX, {}, {{"a.dlg.bak", kEdited}}},
    // Undo shows the line it changed, wherever the user went since.
    {"UndoGoesBackToTheLine", kTalk, kEdit20 + Steps{GoToFirstLine, Undo}, kTwentyView, {}},
    // Typing not yet written is undone first, and writes nothing (Redo types it again); then the
    // write.
    {"TypingIsUndoneFirst", kTalk,
     kEdit20 + Steps{MaleText("Y"), Is(UndoItem, "Typing"), Is(RedoItem, ""), Undo,
                     Is(Copy, kEdited), Is(MaleText, "X"), Is(RedoItem, "Typing"), Redo,
                     Is(MaleText, "Y"), Undo, Is(UndoItem, "Edit of Line 20"), Undo},
     kTwentyView, {}},
    {"TypingTakesRedoAway", kTalk,
     kEdit20 + Steps{Undo, MaleText("Y"), Is(RedoItem, ""), Redo, Is(Copy, kTalk)},
     "20|NPC|Y|Back.|10", {}},
    {"ANewStepEndsRedo", kTalk,
     kEdit20 + Steps{Undo, GoTo("30"), MaleText("Z"), LeaveFieldBox, Is(RedoItem, ""),
                     Is(UndoItem, "Edit of Line 30"), Undo, Undo, Is(UndoItem, "")},
     "30|NPC|Thirty.|Again.|20", {}},
    // "Save New Line" and its undo: the record and its number in the list come and go; Undo shows
    // the line from which "Add Line" was clicked.
    {"SaveNewLineUndoRedo", kTalk,
     Steps{GoTo("30")} + kAdd15 +
         Steps{Is(Copy, kNew15), Is(UsedNumbers, "10,11,12,15,20,21,30,31"),
               Is(UndoItem, "New Line 15"), Undo, Is(Copy, kTalk), kNumbers, Is(LineNumber, "30"),
               Is(RedoItem, "New Line 15"), Redo, Is(UsedNumbers, "10,11,12,15,20,21,30,31")},
     "15|NPC|New||", {}, {{"a.dlg.bak", kNew15}}},
    // In new-line mode nothing is written yet: Undo leaves it, back to the line it came from,
    // once the user has said what becomes of what was typed.
    {"UndoInNewLineModeDropsIt", kTalk,
     {GoTo("20"), NewLineNumber("15"), AddLine, MaleText("New"),
      Is(UndoItem, "Add Line 15"), Is(RedoItem, ""), No, Undo, Is(UndoItem, ""), Is(Copy, kTalk)},
     kTwentyView, {kSaveNew15}},
    {"UndoInNewLineModeSavesIt", kTalk,
     {GoTo("20"), NewLineNumber("15"), AddLine, MaleText("New"), Yes, Undo, Is(Copy, kNew15),
      Is(UndoItem, "New Line 15"), Undo, Is(Copy, kTalk)},
     kTwentyView, {kSaveNew15}},
    {"UndoInNewLineModeCancelled", kTalk,
     {GoTo("20"), NewLineNumber("15"), AddLine, MaleText("New"), Cancel, Undo,
      Is(UndoItem, "Add Line 15"), Is(Copy, kTalk)},
     "15|[NPC]|New|||Save New Line|no Go to 1", {kSaveNew15}},
    {"UndoInNewLineModeFromNoLine", kTalk,
     {GoTo("99"), NewLineNumber("15"), AddLine, Undo}, "||||",
     {"none Line does not Exist: Searched entire file: the line 99 does not exist!"}},
    // Save does not end the history: an Undo after it is an unsaved change again.
    {"UndoAfterSaveIsUnsaved", kTalk,
     kEdit20 + Steps{Yes, Save, kCaption, Undo, kMarked, Redo, kCaption},
     kViewX, {kOverwrite, kSaved}, {{"a.dlg", kEdited}, {"a.dlg.bak", kEdited}}},
    // The working copy must be what this editor last wrote: another program's change stops both.
    {"ChangedCopyStopsUndo", kTalk, kEdit20 + Steps{Write("a.dlg.bak", kTheirs), Undo}, kViewX,
     {kChanged + "undone."}, {{"a.dlg.bak", kTheirs}}},
    {"ChangedCopyKeepingSizeAndTimeStopsUndo", kTalk,
     kEdit20 + Steps{SameSizeAndTime("a.dlg.bak", kEditedByThem), Undo}, kViewX,
     {kChanged + "undone."}, {{"a.dlg.bak", kEditedByThem}}},
    {"ChangedCopyStopsRedo", kTalk, kEdit20 + Steps{Undo, Write("a.dlg.bak", kTheirs), Redo},
     kTwentyView, {kChanged + "redone."}, {{"a.dlg.bak", kTheirs}}},
    // A step made on a copy that another program had changed is undone; the one before it is
    // not, for the copy is no longer what it left.
    {"OnlyStepsOnTheirOwnBytes", kTalk,
     kEdit20 + Steps{Write("a.dlg.bak", kEdited + kTheirs), GoTo("30"),
                     MaleText("Z"), LeaveFieldBox, Undo, Is(Copy, kEdited + kTheirs), Undo},
     "30|NPC|Thirty.|Again.|20", {kChanged + "undone."}, {{"a.dlg.bak", kEdited + kTheirs}}},
    // The history ends with the file.
    {"UnloadEndsTheHistory", kTalk,
     kEdit20 + Steps{No, UnloadFile, LoadFile, Is(UndoItem, ""), Is(CanGoBack, false)}, kHailView,
     {SaveChanges("unloading")}},
    // Back and Forward, across the commands that go to a line.
    {"BackAndForwardAcrossRespondAndJump", kTalk,
     kWalk + Steps{Is(CanGoForward, false), GoBack, At("31"), GoBack, At("20"), GoBack, At("10"),
                   Is(CanGoBack, false), GoBack, At("10"), GoForward, At("20"), GoForward,
                   At("31"), GoForward, Is(CanGoForward, false)}, kTwentyView},
    // A new go after Back drops what lay ahead.
    {"ANewGoDropsTheWayAhead", kTalk,
     kWalk + Steps{GoBack, GoBack, GoTo("30"), Is(CanGoForward, false), GoBack}, kTwentyView},
    {"UsedNumbersAndEditResponseAreVisits", kTalk,
     {Pick(UsedNumbers, 4), GoToUsedNumber, At("21"), GoBack, Pick(Replies, 1), EditResponse,
      At("12"), GoBack}, kHailView},
    {"GoTo1IsAVisit", kTalk, {GoTo("30"), GoToFirstLine, GoBack}, kView30},
    {"ALineNotFoundIsNoVisit", kTalk, {GoTo("99"), GoBack, Is(CanGoBack, false)}, kHailView,
     {"none Line does not Exist: Searched entire file: the line 99 does not exist!"}},
    {"SameLineTwiceIsOneVisit", kTalk,
     {GoTo("30"), GoToTypedLine, GoBack, Is(CanGoBack, false)}, kHailView},
    // Back leaves the line as "Go to:" does: written first.
    {"BackWritesTheLineFirst", kTalk, {GoTo("20"), MaleText("X"), GoBack}, kHailView,
     {}, {{"a.dlg.bak", std::string(kTalk).replace(kTalk.find("Twenty."), 7, "X")}}},
    {"ARefusedWriteStaysPut", kTalk, {GoTo("20"), MaleText("a}b"), GoBack, Is(CanGoBack, true)},
     "20|NPC|a}b|Back.|10",
     {"critical Cannot Save Line: The Male Dialogue: field holds a \"}\", which would end the "
      "field early. Remove it and leave the box again; the line was not saved."}},
    // A line gone since is still a place in the history; the lookup says so.
    {"BackToALineGone", kTalk,
     {GoTo("20"), GoTo("30"),
      Write("a.dlg.bak", R("10", "Hail.") + R("30", "Thirty.")), GoBack, GoBack},
     "10|NPC|Hail.||", {"none Line does not Exist: Searched entire file: the line 20 does not "
                        "exist!"}, {{"a.dlg.bak", R("10", "Hail.") + R("30", "Thirty.")}}},
    // A renumbered line is visited under its new number, and Undo gives the old one back.
    {"BackToARenumberedLine", kTalk,
     {GoTo("20"), Input("25"), RenumberLine, GoBack, GoForward, At("25"),
      Undo, GoBack, GoForward, At("20")}, kTwentyView,
     {"yes/no/cancel exclamation Renumber Line: Renumber its replies too? Reply 21 would become "
      "26."}},
    // A view that left the line without a visit of its own goes back to that line first.
    {"BackAfterANewLineGoesWhereItWasAdded", kTalk,
     {GoTo("20"), NewLineNumber("25"), AddLine, MaleText("New"), SaveNewLine,
      GoBack, At("20"), GoBack}, kHailView, {},
     {{"a.dlg.bak", kHail + kTwenty + R("25", "New") + kThirty}}},
    {"BackAfterAReplyToNoLine", R("10", "Hail.") + R("11", "Go on.", "20") + R("20", "T") +
                                    R("21", "Lost.", "50"),
     {Pick(Replies, 0), Respond, Pick(Replies, 0), Respond, GoBack}, "20|NPC|T|Lost.|50",
     {"none Line does not exist: The line 50 does not exist!"}},
    {"UnloadEndsTheVisits", kTalk, kWalk + Steps{Yes, UnloadFile, LoadFile, Is(CanGoBack, false)},
     kHailView, {kUnload}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(History, StepRows, testing::ValuesIn(kRows), RowName);

// A long walk of edits, new lines, deletes and renumbers at random places, then Undo back to
// the start and Redo to the end: each step leaves the working copy, byte for byte, as it was.
TEST(UndoRedo, EveryStepBackAndForthByteForByte) {
  std::string file;
  for (int n = 10; n <= 200; n += 10) {
    file += R(std::to_string(n), "Line " + std::to_string(n)) +
            R(std::to_string(n + 1), "Reply", std::to_string(n % 50 + 10)) +
            R(std::to_string(n + 2), "Bye", "0");
  }
  Session s(file);
  const std::string listed = Join(s.ed.window.usedNumbers);
  std::mt19937 random(7);
  const auto pick = [&] {
    const ItemList& items = s.ed.window.usedNumbers.items;
    return std::string(items[random() % items.size()]);
  };
  Strings copies = {ReadBytes(s.ed.state.WorkingCopyPath())};
  int unused = 990000;  // of one length, no number the start of another: no refusal
  for (int i = 0; i < 60 && !s.ed.window.usedNumbers.items.empty(); ++i) {
    const std::size_t steps = s.ed.undo.done.size();
    const Steps walk = {GoTo(pick())};
    const std::string fresh = std::to_string(++unused);
    const Steps kinds[] = {{MaleText("Edit " + std::to_string(i)), LeaveFieldBox},
                           {NewLineNumber(fresh), AddLine, MaleText("New"), SaveNewLine},
                           {Yes, DeleteLine},
                           {Input(fresh), RenumberLine}};
    for (const Step& step : walk + kinds[random() % 4]) step(s);
    if (s.ed.undo.done.size() > steps) copies.push_back(ReadBytes(s.ed.state.WorkingCopyPath()));
  }
  ASSERT_EQ(s.ed.undo.done.size() + 1, copies.size());
  ASSERT_GT(copies.size(), 40u);
  for (std::size_t i = copies.size() - 1; i-- > 0;) {
    Undo(s.ed);
    ASSERT_EQ(ReadBytes(s.ed.state.WorkingCopyPath()), copies[i]) << "undo to " << i;
  }
  EXPECT_FALSE(CanUndo(s.ed));
  EXPECT_EQ(Join(s.ed.window.usedNumbers), listed);
  for (std::size_t i = 1; i < copies.size(); ++i) {
    Redo(s.ed);
    ASSERT_EQ(ReadBytes(s.ed.state.WorkingCopyPath()), copies[i]) << "redo to " << i;
  }
  EXPECT_FALSE(CanRedo(s.ed));
  for (const std::string& box : s.Boxes())
    EXPECT_TRUE(box.starts_with("yes/no exclamation Delete Line: ") ||
                box.find("Renumber its replies too?") != std::string::npos)
        << box;
}

}  // namespace
}  // namespace dlg::test
