// Leaving a new line by every way out: a line with typed text is saved, dropped or kept as the
// user answers "Save New Line?"; an empty one goes without a question. Then Save As onto a name
// that is no file.

#include <gtest/gtest.h>

#include <filesystem>

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
// From line 20: Add Line 15 and type its male text.
const Strings kNew = {"goToNumber=20", "Go to:", "newLineNumber=15", "Add Line", "maleText=New"};

// clang-format off
const Row kRows[] = {
    {"GoToYesSavesThenGoes", kOld, kNew + Strings{"Yes", "goToNumber=10", "Go to:",
                                                  "?usedNumbers=10,11,15,20"},
     kView10, {kAsked}, {{"a.dlg.bak", kSaved15}}},
    {"GoToNoDrops", kOld, kNew + Strings{"No", "goToNumber=10", "Go to:", "?usedNumbers=10,11,20"},
     kView10, {kAsked}},
    {"GoToCancelKeepsTyping", kOld, kNew + Strings{"Cancel", "goToNumber=10", "Go to:"}, kTyping,
     {kAsked}},
    {"NothingTypedGoesWithoutAQuestion", kOld,
     {"newLineNumber=15", "Add Line", "goToNumber=20", "Go to:"}, kView20},
    {"UsedNumberAsks", kOld, kNew + Strings{"No", "usedNumbers#0", "Go to number"}, kView10,
     {kAsked}},
    {"JumpYesSavesTheReply", kOld,
     kNew + Strings{"jumpLine=20", "Yes", "Jump"}, kView20, {kAsked},
     {{"a.dlg.bak", R("10", "Ten.") + R("11", "On.", "20") + R("15", "New", "20") +
                    R("20", "Twenty.")}}},
    // Back from the new line goes first to the line where Add Line was clicked.
    {"BackAsks", kOld, kNew + Strings{"No", "Back"}, kView20, {kAsked}},
    {"BackCancelStaysInTheHistory", kOld, kNew + Strings{"Cancel", "Back", "?back=yes"}, kTyping,
     {kAsked}},
    {"UnloadCancelKeepsTyping", kOld, kNew + Strings{"Cancel", "Unload File"}, kTyping, {kAsked}},
    {"UnloadNoThenUnloads", kOld, kNew + Strings{"No", "Yes", "Unload File"}, "||||" "|no file",
     {kAsked, "yes/no none Unload?: Really unload DIR/a.dlg?"}, {{"a.dlg.bak", kGone}}},
    {"QuitYesSavesFirst", kOld, kNew + Strings{"Yes", "Yes", "Quit", "?ended=yes"}, "15||New||",
     {kAsked, "yes/no/cancel exclamation Save Changes?: Save the changes to DIR/a.dlg before "
              "quitting?"}, {{"a.dlg", kSaved15}, {"a.dlg.bak", kGone}}},
    // A second "Add Line" starts afresh, after the same question.
    {"SecondAddLineYesSavesTheFirst", kOld,
     kNew + Strings{"Yes", "newLineNumber=16", "Add Line"},
     "16|[NPC]|||" "|Save New Line|no Go to 1", {kAsked}, {{"a.dlg.bak", kSaved15}}},
    {"SecondAddLineNoThenUndoGoesBack", kOld,
     kNew + Strings{"No", "newLineNumber=16", "Add Line", "Undo"}, kView20, {kAsked}},
    // Escape leaves new-line mode: a dropped line gives back the line shown before.
    {"EscapeNoGoesBack", kOld, kNew + Strings{"No", "Escape"}, kView20, {kAsked}},
    {"EscapeYesStaysOnTheSavedLine", kOld, kNew + Strings{"Yes", "Escape"}, "15||New||", {kAsked},
     {{"a.dlg.bak", kSaved15}}},
    {"EscapeNothingTyped", kOld, {"goToNumber=20", "Go to:", "newLineNumber=15", "Add Line",
                                  "Escape"}, kView20},
    // Undo is the user's own word: it drops the line without a question.
    {"UndoDropsWithoutAQuestion", kOld, kNew + Strings{"Undo"}, kView20},
};
// clang-format on

bool OwnStep(Session& s, const std::string& step) {
  if (step == "Escape") EscapeNewLine(s.ed);
  if (step.starts_with("mkdir:")) std::filesystem::create_directory(s.dir.File(step.substr(6)));
  return step == "Escape" || step.starts_with("mkdir:");
}

class LeaveNewLine : public testing::TestWithParam<Row> {};
TEST_P(LeaveNewLine, ShowBoxesAndBytes) { RunRow(GetParam(), OwnStep); }
INSTANTIATE_TEST_SUITE_P(Rows, LeaveNewLine, testing::ValuesIn(kRows), RowName);

// A name that is no file is refused at once, without "Replace File?".
const Row kNoFileRows[] = {
    {"Folder",
     kOld,
     {"mkdir:b.dlg", "input:b", "Save As"},
     kView10,
     {"critical Not a File: DIR/b.dlg is a folder: Save As writes files only. Please enter "
      "another name."},
     {{"b.dlg", kNotAFile}}},
    {"LinkToAFolder",
     kOld,
     {"mkdir:sub", "link:b.dlg=sub", "input:b", "Save As"},
     kView10,
     {"critical Not a File: DIR/b.dlg is a folder: Save As writes files only. Please enter "
      "another name."},
     {{"sub", kNotAFile}, {"b.dlg", kNotAFile}}},
    {"Pipe",
     kOld,
     {"fifo:b.dlg", "input:b", "Save As"},
     kView10,
     {"critical Not a File: DIR/b.dlg is not a regular file: Save As writes files only. Please "
      "enter another name."},
     {{"b.dlg", kNotAFile}}},
};
class SaveAsNoFile : public testing::TestWithParam<Row> {};
TEST_P(SaveAsNoFile, RefusedAtOnce) { RunRow(GetParam(), OwnStep); }
INSTANTIATE_TEST_SUITE_P(Rows, SaveAsNoFile, testing::ValuesIn(kNoFileRows), RowName);

}  // namespace
}  // namespace dlg::test
