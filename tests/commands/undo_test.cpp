// Undo and Redo as step rows over real files: the working copy's bytes after each step, the line
// shown, the names the menu gives, the caption's mark, and the boxes that stop them.

#include <gtest/gtest.h>

#include <random>

#include "support/session.h"

namespace dlg::test {
namespace {

const std::string k10 = R("10", "Hail.") + R("11", "Go on.", "20") + R("12", "Bye.", "0");
const std::string k20 = R("20", "Twenty.", " ") + R("21", "Back.", "10");
const std::string k30 = R("30", "Thirty.") + R("31", "Again.", "20");
const std::string kOld = k10 + k20 + k30;
const std::string kEdited = k10 + R("20", "X", " ") + R("21", "Back.", "10") + k30;
const std::string kNew15 = k10 + R("15", "New") + k20 + k30;
const std::string kView10 = "10|NPC|Hail.|Go on.,Bye.|20,0", kView20 = "20|NPC|Twenty.|Back.|10";
const std::string kViewX = "20|NPC|X|Back.|10";
const std::string kNumbers = "?usedNumbers=10,11,12,20,21,30,31";

const Strings kEdit20 = {"goToNumber=20", "Go to:", "maleText=X", "leave box"};
const Strings kAdd15 = {"newLineNumber=15", "Add Line", "maleText=New", "Save New Line"};
const std::string kCaption = "?caption=Ashgloam -DLG Editor - a.dlg", kMarked = kCaption + " *";
const std::string kChanged =
    "exclamation Working Copy Changed: DIR/a.dlg.bak was changed by another program after this "
    "editor last wrote it, so nothing was ";
const std::string kTheirs = R("1", "Theirs");
// kEdited with one byte changed: its size, and its time put back.
const std::string kEditedByThem = R("10", "Hbil.") + kEdited.substr(R("10", "Hail.").size());

// clang-format off
const Row kRows[] = {
    {"EditUndoRedo", kOld,
     kEdit20 + Strings{"?copy=" + kEdited, kMarked, "?undo=Edit of Line 20", "?redo=", "Undo",
                       "?copy=" + kOld, "?maleText=Twenty.", kCaption, "?undo=",
                       "?redo=Edit of Line 20", "Redo", "?copy=" + kEdited, kMarked,
                       "?undo=Edit of Line 20", "?redo="},
     kViewX, {}, {{"a.dlg.bak", kEdited}}},
    // Undo shows the line it changed, wherever the user went since.
    {"UndoGoesBackToTheLine", kOld, kEdit20 + Strings{"Go to 1", "Undo"}, kView20, {}},
    // Typing not yet written is undone first, and writes nothing; then the write.
    {"TypingIsUndoneFirst", kOld,
     kEdit20 + Strings{"maleText=Y", "?undo=Typing", "?redo=", "Undo", "?copy=" + kEdited,
                       "?maleText=X", "?undo=Edit of Line 20", "Undo"}, kView20, {}},
    {"TypingTakesRedoAway", kOld,
     kEdit20 + Strings{"Undo", "maleText=Y", "?redo=", "Redo", "?copy=" + kOld}, "20|NPC|Y|Back.|10",
     {}},
    {"ANewStepEndsRedo", kOld,
     kEdit20 + Strings{"Undo", "goToNumber=30", "Go to:", "maleText=Z", "leave box", "?redo=",
                       "?undo=Edit of Line 30", "Undo", "Undo", "?undo="},
     "30|NPC|Thirty.|Again.|20", {}},
    // "Save New Line" and its undo: the record and its number in the list come and go; Undo shows
    // the line from which "Add Line" was clicked.
    {"SaveNewLineUndoRedo", kOld,
     Strings{"goToNumber=30", "Go to:"} + kAdd15 +
         Strings{"?copy=" + kNew15, "?usedNumbers=10,11,12,15,20,21,30,31", "?undo=New Line 15",
                 "Undo", "?copy=" + kOld, kNumbers, "?lineNumber=30", "?redo=New Line 15", "Redo",
                 "?usedNumbers=10,11,12,15,20,21,30,31"},
     "15|NPC|New||", {}, {{"a.dlg.bak", kNew15}}},
    // In new-line mode nothing is written yet: Undo leaves it, back to the line it came from.
    {"UndoInNewLineMode", kOld,
     {"goToNumber=20", "Go to:", "newLineNumber=15", "Add Line", "maleText=New",
      "?undo=Add Line 15", "?redo=", "Undo", "?undo=", "?copy=" + kOld}, kView20, {}},
    {"UndoInNewLineModeFromNoLine", kOld,
     {"goToNumber=99", "Go to:", "newLineNumber=15", "Add Line", "Undo"}, "||||",
     {"none Line does not Exist: Searched entire file: the line 99 does not exist!"}},
    // Save does not end the history: an Undo after it is an unsaved change again.
    {"UndoAfterSaveIsUnsaved", kOld,
     kEdit20 + Strings{"Yes", "Save", kCaption, "Undo", kMarked, "Redo", kCaption},
     kViewX, {"yes/no none Oberwrite?: Are you sure you wish to overwrite DIR/a.dlg?",
              "information Saving Changes: Changes Have Been Saved"},
     {{"a.dlg", kEdited}, {"a.dlg.bak", kEdited}}},
    // The working copy must be what this editor last wrote: another program's change stops both.
    {"ChangedCopyStopsUndo", kOld, kEdit20 + Strings{"write:a.dlg.bak=" + kTheirs, "Undo"}, kViewX,
     {kChanged + "undone."}, {{"a.dlg.bak", kTheirs}}},
    {"ChangedCopyKeepingSizeAndTimeStopsUndo", kOld,
     kEdit20 + Strings{"same size and time:a.dlg.bak=" + kEditedByThem, "Undo"}, kViewX,
     {kChanged + "undone."}, {{"a.dlg.bak", kEditedByThem}}},
    {"ChangedCopyStopsRedo", kOld, kEdit20 + Strings{"Undo", "write:a.dlg.bak=" + kTheirs, "Redo"},
     kView20, {kChanged + "redone."}, {{"a.dlg.bak", kTheirs}}},
    // A step made on a copy that another program had changed is undone; the one before it is
    // not, for the copy is no longer what it left.
    {"OnlyStepsOnTheirOwnBytes", kOld,
     kEdit20 + Strings{"write:a.dlg.bak=" + kEdited + kTheirs, "goToNumber=30", "Go to:",
                       "maleText=Z", "leave box", "Undo", "?copy=" + kEdited + kTheirs, "Undo"},
     "30|NPC|Thirty.|Again.|20", {kChanged + "undone."}, {{"a.dlg.bak", kEdited + kTheirs}}},
    // The history ends with the file.
    {"UnloadEndsTheHistory", kOld,
     kEdit20 + Strings{"No", "Unload File", "Load File", "?undo=", "?back=no"}, kView10,
     {"yes/no/cancel exclamation Save Changes?: Save the changes to DIR/a.dlg before unloading?"}},
};
// clang-format on

class UndoRedo : public testing::TestWithParam<Row> {};
TEST_P(UndoRedo, ShowBoxesAndBytes) { RunRow(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Rows, UndoRedo, testing::ValuesIn(kRows), RowName);

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
    Strings walk = {"goToNumber=" + pick(), "Go to:"};
    const std::string fresh = std::to_string(++unused);
    switch (random() % 4) {
      case 0:
        walk = walk + Strings{"maleText=Edit " + std::to_string(i), "leave box"};
        break;
      case 1:
        walk =
            walk + Strings{"newLineNumber=" + fresh, "Add Line", "maleText=New", "Save New Line"};
        break;
      case 2:
        walk = walk + Strings{"Yes", "Delete Line"};
        break;
      default:
        walk = walk + Strings{"input:" + fresh, "Renumber Line"};
    }
    for (const std::string& step : walk) s.Step(step);
    if (s.ed.undo.done.size() > steps) copies.push_back(ReadBytes(s.ed.state.WorkingCopyPath()));
  }
  ASSERT_EQ(s.ed.undo.done.size() + 1, copies.size());
  ASSERT_GT(copies.size(), 40u);
  for (std::size_t i = copies.size() - 1; i-- > 0;) {
    s.Step("Undo");
    ASSERT_EQ(ReadBytes(s.ed.state.WorkingCopyPath()), copies[i]) << "undo to " << i;
  }
  EXPECT_FALSE(CanUndo(s.ed));
  EXPECT_EQ(Join(s.ed.window.usedNumbers), listed);
  for (std::size_t i = 1; i < copies.size(); ++i) {
    s.Step("Redo");
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
